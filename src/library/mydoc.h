#pragma once

#include "greek/betaconverter.h"
#include "library/document_views.h"
#include "library/text_tables.h"
#include "platform/ui_services.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace veso {

class lexicon;

namespace datafiles {
class data_integrity;
}

// The compiled tables the document navigates by, gathered so that tests can substitute small ones
// that match small data files.
struct document_tables {
    std::span<const passage_row> rows; // increasing identifier order
    std::span<const section_start_table> section_tables;
    std::int32_t new_testament_byte_length = 0;
    std::int32_t last_septuagint_offset = 0;
    std::string_view fingerprint;

    // The tables generated with the data files.
    static document_tables compiled();
};

// The single document: the loaded passage (one passage, or a whole sectioned work), the current
// section and page, and the paging commands. Knows its panes only through the interfaces of
// document_views.h.
class mydoc {
public:
    static constexpr std::int32_t text_capacity = 2'000'000;
    static constexpr std::int32_t section_capacity = 2'000;

    // Reads the text files from data's folder, except those known to be damaged; lexicon may be
    // null (its loader is cancelled on destruction).
    mydoc(platform::ui_services& ui, lexicon* lex,
          std::shared_ptr<const datafiles::data_integrity> data);
    // Reads data/ below working_folder, checked against its own manifest.
    mydoc(platform::ui_services& ui, lexicon* lex, const std::filesystem::path& working_folder);
    ~mydoc();
    mydoc(const mydoc&) = delete;
    mydoc& operator=(const mydoc&) = delete;

    // The panes and frame; any may be null (tests, the command-line tool).
    void attach(catalogue_pane* catalogue, text_pane* text, document_frame* frame);
    // Replaces the compiled tables (tests with synthetic data files).
    void use_tables(const document_tables& tables);
    const document_tables& tables() const { return tables_; }

    void select_passage(std::int32_t id);
    // Where the section shown starts in the text (0 before any section is known).
    std::int32_t section_start() const;
    void page_forward();
    void page_backward();
    void goto_line();
    void find_marker(const wide_string& pattern);
    void toggle_catalogue_pane();
    void show_section(std::int32_t index);
    void compute_section_starts();

    // The passage-table row of id, if it has one.
    std::optional<passage_location> location_of(std::int32_t id) const;

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

    // Messages shown when the data folder does not fit: its fingerprint differs from the
    // compiled tables, or a passage is longer than the buffer (only its beginning is loaded).
    std::u16string data_mismatch_message() const;
    std::u16string passage_too_long_message() const;
    static const std::u16string_view message_caption;

private:
    bool open_and_check_main_file(std::FILE*& file);
    std::FILE* open_sound_file(const char* name);
    bool data_matches_program();
    void read_units(std::FILE* file);
    void finish_section_starts(std::int32_t written);
    std::int32_t section_end_of(std::int32_t index) const;
    std::int32_t loaded_units() const;
    std::int32_t identifier_of_section(std::int32_t index) const;
    std::int32_t next_identifier_with_row(std::int32_t id) const;
    void show_page(std::int32_t position);
    void restart_text_layout();

    platform::ui_services& ui_;
    lexicon* lexicon_;
    std::shared_ptr<const datafiles::data_integrity> data_;
    catalogue_pane* catalogue_ = nullptr;
    text_pane* text_view_ = nullptr;
    document_frame* frame_ = nullptr;
    wide_string title_;
    document_tables tables_;
    bool data_checked_ = false;
};

} // namespace veso
