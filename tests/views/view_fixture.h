#pragma once

#include "colours/colour_table.h"
#include "lexicon/lexicon.h"
#include "library/mydoc.h"
#include "platform/headless/headless_device_context.h"
#include "platform/headless/headless_fonts.h"
#include "platform/headless/headless_ui_services.h"
#include "views/lookupview.h"
#include "views/textview.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace veso::testing {

// One record of a lexicon file: key, separator, value, terminator (one byte per character).
struct lexicon_record {
    std::string key;
    std::string value;
};

// A data folder in a fresh temporary directory, removed again with the object.
class lexicon_folder {
public:
    lexicon_folder();
    ~lexicon_folder();
    void write_morphology(const std::vector<lexicon_record>& records);
    void write_dictionary(const std::vector<lexicon_record>& records);
    void write_frequencies(const std::vector<lexicon_record>& records);
    const std::filesystem::path& root() const { return root_; }
    std::filesystem::path data() const { return root_ / "data"; }

private:
    void write(const char* name, const std::vector<lexicon_record>& records, char separator,
               char terminator);
    std::filesystem::path root_;
};

// Waits (bounded) until the lexicon has read its files.
void wait_for(const lexicon& lex);

// Every colour category gets a colour of its own: red = 1 + its index.
ColourTable distinct_colours();
platform::colour_ref colour_for(ColourCategory category);
constexpr platform::colour_ref black = platform::make_colour(0, 0, 0);

// A tree control that records collapses and selections.
class recording_tree final : public platform::tree_control {
public:
    platform::tree_item insert_last_child(platform::tree_item, std::u16string_view) override {
        return 0;
    }
    void update_window() override {}
    void select(platform::tree_item item) override { selected_items.push_back(item); }
    platform::tree_item selected() const override {
        return selected_items.empty() ? 0 : selected_items.back();
    }
    void expand(platform::tree_item) override {}
    void collapse(platform::tree_item item) override { collapsed_items.push_back(item); }
    bool has_children(platform::tree_item) const override { return true; }
    platform::tree_item parent_of(platform::tree_item) const override { return 0; }
    std::u16string label_of(platform::tree_item) const override { return {}; }
    platform::tree_item hit_test(int, int) const override { return 0; }
    platform::rect label_rect(platform::tree_item) const override { return {}; }
    platform::tree_item first_visible() const override { return 0; }
    platform::tree_item next_visible(platform::tree_item) const override { return 0; }
    int visible_count() const override { return 0; }

    std::vector<platform::tree_item> collapsed_items;
    std::vector<platform::tree_item> selected_items;
};

// A document, a lexicon over a synthetic data folder and the two panes wired together, painted
// on the headless device context.
class views_fixture : public ::testing::Test {
protected:
    // Call before using the views; the lexicon reads the folder's files.
    void start(const std::vector<lexicon_record>& morphology,
               const std::vector<lexicon_record>& dictionary = {},
               const std::vector<lexicon_record>& frequencies = {});
    // Puts the text (followed by the 200 zero units) into the document as one section.
    void load_text(std::u16string_view text);
    void paint_text(int width = 250, int height = 1000);
    void paint_lookup(int width = 400, int height = 600);
    // The painted strings of the last paint, in order.
    std::vector<std::u16string> painted() const;

    lexicon_folder folder;
    platform::headless_ui_services ui;
    platform::headless_font_factory fonts;
    platform::headless_device_context dc;
    ColourTable colours = distinct_colours();
    std::unique_ptr<lexicon> lex;
    std::unique_ptr<mydoc> document;
    std::unique_ptr<textview> text;
    std::unique_ptr<lookupview> lookup;
};

} // namespace veso::testing
