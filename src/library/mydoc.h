#pragma once

#include "greek/betaconverter.h"
#include "library/document_views.h"
#include "platform/ui_services.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace veso {

class lexicon;

// The single document: the loaded passage (one passage, or a whole sectioned work), the current
// section and page, and the paging commands. Knows its panes only through the interfaces of
// document_views.h.
class mydoc {
public:
    static constexpr std::int32_t text_capacity = 2'000'000;
    static constexpr std::int32_t section_capacity = 2'000;

    // working_folder holds data/; lexicon may be null (its loader is cancelled on destruction).
    mydoc(platform::ui_services& ui, lexicon* lex, std::filesystem::path working_folder);
    ~mydoc();
    mydoc(const mydoc&) = delete;
    mydoc& operator=(const mydoc&) = delete;

    // The panes and frame; any may be null (tests, the command-line tool).
    void attach(catalogue_pane* catalogue, text_pane* text, document_frame* frame);

    void select_passage(std::int32_t id);
    void page_forward();
    void page_backward();
    void goto_line();
    void find_marker(const wide_string& pattern);
    void toggle_catalogue_pane();
    void show_section(std::int32_t index);
    void compute_section_starts();

    // Opening a document file is refused: the program has no file form.
    bool open_document(const std::filesystem::path& path);

    const wide_string& title() const { return title_; }
    void set_title(const wide_string& title);

    // State read by the views (and written by the text view's layout where noted).
    bool catalogue_pane_shown = true;
    betaconverter converter;
    std::array<char16_t, text_capacity> text{};
    std::int32_t page_start = 0;
    std::int32_t next_page_start = 0; // written by the text view
    bool loading = false;
    std::vector<std::int32_t> page_starts;
    std::int32_t text_length = 0;
    std::int32_t author_number = 1;
    std::int32_t work_code = 0;
    std::int32_t section_end = 0;
    bool past_section_end = false; // written by the text view
    std::int32_t file_offset = 0;
    std::int32_t byte_length = 0;
    std::int32_t section = 0;
    std::array<std::int32_t, section_capacity> section_starts{};
    std::int32_t section_count = 0;
    std::int32_t current_id = 0;

private:
    platform::ui_services& ui_;
    lexicon* lexicon_;
    std::filesystem::path working_folder_;
    catalogue_pane* catalogue_ = nullptr;
    text_pane* text_view_ = nullptr;
    document_frame* frame_ = nullptr;
    wide_string title_;
};

} // namespace veso
