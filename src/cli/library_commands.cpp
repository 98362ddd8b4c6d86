#include "cli/commands.h"
#include "library/catalogue_tree.h"
#include "library/coverage.h"
#include "library/mydoc.h"
#include "library/text_tables.h"
#include "platform/ui_services.h"

#include <algorithm>
#include <cstdint>
#include <iostream>
#include <memory>

namespace veso::cli {

namespace {

// The document's dialogs on a terminal: message boxes go to standard error, dialogs are cancelled.
class terminal_ui_services : public platform::ui_services {
public:
    void message_box(std::u16string_view text, std::u16string_view caption) override {
        std::cerr << to_utf8(wide_string(caption)) << ": " << to_utf8(wide_string(text)) << "\n";
        ++messages;
    }
    std::optional<std::u16string> run_text_dialog(platform::text_dialog) override {
        return std::nullopt;
    }
    std::optional<platform::colour_ref> choose_colour(platform::colour_ref) override {
        return std::nullopt;
    }
    void post_to_ui(std::function<void()> call) override { call(); }

    int messages = 0;
};

constexpr std::size_t shown_characters = 200;

// Up to 200 characters of the page that the document shows, to the section's end or the first
// zero unit; a surrogate pair counts as one character.
wide_string shown_text(const mydoc& doc) {
    const std::int32_t end = std::min(doc.section_end, doc.text_length);
    wide_string out;
    std::size_t characters = 0;
    for (std::int32_t i = doc.page_start; i >= 0 && i < end && characters < shown_characters; ++i) {
        const char16_t unit = doc.text[static_cast<std::size_t>(i)];
        if (unit == 0) {
            break;
        }
        out += unit;
        if (unit < 0xD800 || unit > 0xDBFF) {
            ++characters;
        }
    }
    return out;
}

int run_passage(command_context& context, std::int32_t id) {
    terminal_ui_services ui;
    auto doc = std::make_unique<mydoc>(ui, nullptr, context.data());
    // The catalogue's selection handler titles the document before it loads the passage.
    doc->set_title(catalogue_title_of(id));
    doc->select_passage(id);
    print_json({{"id", id},
                {"author_number", doc->author_number},
                {"work_code", doc->work_code},
                {"file_offset", doc->file_offset},
                {"byte_length", doc->byte_length},
                {"section", doc->section},
                {"section_count", doc->section_count},
                {"section_end", doc->section_end},
                {"page_start", doc->page_start},
                {"text_length", doc->text_length},
                {"current_id", doc->current_id},
                {"loading", doc->loading},
                {"title", to_utf8(doc->title())},
                {"text", to_utf8(shown_text(*doc))}});
    return doc->loading ? 1 : 0;
}

void print_catalogue() {
    for (const auto& entry : catalogue_entries()) {
        std::cout << static_cast<int>(entry.depth) << '\t'
                  << to_utf8(entry.label ? wide_string(entry.label) : wide_string()) << '\t'
                  << entry.id << '\n';
    }
}

int run_coverage(command_context& context) {
    terminal_ui_services ui;
    auto doc = std::make_unique<mydoc>(ui, nullptr, context.data());
    const auto leaves = leaves_without_text(*doc);
    if (!leaves) {
        return 1;
    }
    for (const auto& leaf : *leaves) {
        std::cout << leaf.id << '\t' << to_utf8(leaf.title) << '\n';
    }
    std::cerr << leaves->size() << " leaves without text\n";
    return 0;
}

} // namespace

void add_library_commands(CLI::App& app, command_context& context) {
    auto id = std::make_shared<std::int32_t>(0);
    auto* passage = app.add_subcommand(
        "passage", "Load a catalogue identifier's passage from the data folder and print the "
                   "document's state and the first 200 characters of the shown section as one "
                   "JSON line");
    passage->add_option("ID", *id, "catalogue identifier, 40043 to 51280")->required();
    passage->callback([id, &context] { exit_on_failure(run_passage(context, *id)); });

    app.add_subcommand("catalogue",
                       "Print the catalogue tree, one item a line: depth, label, identifier "
                       "(0 for items that are not leaves), separated by tabs")
        ->callback(print_catalogue);

    app.add_subcommand("coverage",
                       "List the catalogue leaves whose text is not in the data folder (the open "
                       "corpus lacks it): identifier and title, separated by tabs")
        ->callback([&context] { exit_on_failure(run_coverage(context)); });
}

} // namespace veso::cli
