#include "cli/commands.h"
#include "greek/betaconverter.h"
#include "greek/typed_greek.h"
#include "lexicon/definition_markup.h"
#include "lexicon/lexicon.h"
#include "lexicon/string_edits.h"

#include <algorithm>
#include <iostream>
#include <memory>
#include <unistd.h>
#include <vector>

namespace veso::cli {

namespace {

using nlohmann::json;

// The fields of one analysis in a morphology string.
struct analysis_fields {
    wide_string marker;
    wide_string lemma;
    wide_string description;
};

std::vector<analysis_fields> split_analyses(const wide_string& morphology) {
    std::vector<analysis_fields> result;
    std::size_t start = 0;
    while (start <= morphology.size()) {
        std::size_t end = morphology.find(u'\u0003', start);
        if (end == wide_string::npos) {
            end = morphology.size();
        }
        wide_string_view analysis(morphology.data() + start, end - start);
        analysis_fields fields;
        fields.marker = analysis.substr(0, 1);
        std::size_t list_start = std::min<std::size_t>(2, analysis.size());
        std::size_t list_end = analysis.find(u' ', list_start);
        if (list_end == wide_string_view::npos) {
            list_end = analysis.size();
        }
        wide_string_view list = analysis.substr(list_start, list_end - list_start);
        std::size_t comma = list.rfind(u',');
        fields.lemma = list.substr(comma == wide_string_view::npos ? 0 : comma + 1);
        // The description ends at the first character of code 9 or less; without one it is empty.
        std::size_t description_end = list_end;
        while (description_end < analysis.size() && analysis[description_end] > 9) {
            ++description_end;
        }
        if (description_end < analysis.size()) {
            fields.description = analysis.substr(list_end, description_end - list_end);
        }
        result.push_back(std::move(fields));
        start = end + 1;
    }
    return result;
}

// Text for people: on a terminal italic and bold as such, elsewhere plain.
void append_styled(std::string& out, wide_string_view text, text_style style, bool terminal) {
    const bool marked = terminal && style != text_style::normal;
    if (marked) {
        out += style == text_style::italic ? "\x1b[3m" : "\x1b[1m";
    }
    out += to_utf8(wide_string(text));
    if (marked) {
        out += "\x1b[0m";
    }
}

// A lemma's definition for people: "lemma (dictionary): words", the words one space apart and
// never with raw style marks.
std::string readable_definition(const std::string& lemma, const wide_string& definition,
                                bool terminal) {
    std::string out = lemma;
    const wide_string_view source = definition_source_name(definition_source_letter(definition));
    if (!source.empty()) {
        out += " (";
        append_styled(out, source, text_style::italic, terminal);
        out += ")";
    }
    out += ":";
    definition_words words(definition);
    std::vector<styled_run> runs;
    text_style space_style = text_style::normal;
    while (words.next(runs, space_style)) {
        out += ' ';
        for (const styled_run& run : runs) {
            append_styled(out, run.text, run.style, terminal);
        }
    }
    return out;
}

void print_lookup(lexicon& lex, const wide_string& typed, unsigned author) {
    const bool terminal = isatty(STDOUT_FILENO) != 0;
    const betaconverter& converter = lex.greek_converter();
    wide_string word = typed_to_betacode(converter, typed);
    auto [analysis, previous, next] = lex.analyse_word(word, true);
    bool known = previous != u"?" || next != u"?";
    wide_string key = word;
    clean_clicked_word(key);
    if (!known) {
        auto neighbours = lex.morphology_neighbours(key);
        previous = neighbours[0];
        next = neighbours[1];
    }
    auto greek = [&converter](const wide_string& beta) {
        return to_utf8(converter.to_unicode_word(beta));
    };
    std::cout << greek(previous) << "  <  " << greek(key) << "  >  " << greek(next) << "\n";
    if (!known) {
        std::cout << "  no analysis\n";
        return;
    }
    std::vector<wide_string> lemmas;
    for (const analysis_fields& fields : split_analyses(analysis)) {
        wide_string_view description = fields.description;
        if (!description.empty() && description[0] == u' ') {
            description.remove_prefix(1);
        }
        std::cout << "  " << to_utf8(fields.marker) << "  " << greek(fields.lemma) << "  (count "
                  << lex.frequency_field(fields.lemma, author) << ")  "
                  << to_utf8(wide_string(description)) << "\n";
        if (std::find(lemmas.begin(), lemmas.end(), fields.lemma) == lemmas.end()) {
            lemmas.push_back(fields.lemma);
        }
    }
    for (const wide_string& lemma : lemmas) {
        wide_string definition = lex.short_definition_of(lemma);
        std::cout << "\n"
                  << (definition.empty() ? greek(lemma) + ": (no definition)"
                                         : readable_definition(greek(lemma), definition, terminal))
                  << "\n";
    }
}

json page_json(lexicon& lex) {
    json rows = json::array();
    for (std::size_t i = 0; i + 1 < lex.dictionary_page.size(); i += 2) {
        rows.push_back({to_utf8(lex.dictionary_page[i]), to_utf8(lex.dictionary_page[i + 1])});
    }
    return {{"rows", rows},
            {"first", to_utf8(lex.page_first_headword)},
            {"last", to_utf8(lex.page_last_headword)},
            {"position", to_utf8(lex.page_position_headword())}};
}

// Arguments of all commands; only the command given is filled.
struct arguments {
    std::string text;
    bool no_clean = false;
    bool short_definition = false;
    unsigned forward = 0;
    unsigned backward = 0;
    unsigned field = 0;
    unsigned author = 1;
};

} // namespace

void add_lexicon_commands(CLI::App& app, command_context& context) {
    auto args = std::make_shared<arguments>();
    auto converter = [] {
        static const betaconverter instance;
        return &instance;
    };
    auto text = [args] { return from_utf8(args->text); };

    auto* command = app.add_subcommand("to-unicode", "Beta Code to Greek, the text as given");
    command->add_option("TEXT", args->text)->required();
    command->callback([=] { print_json({{"text", to_utf8(converter()->to_unicode(text()))}}); });

    command = app.add_subcommand("to-betacode", "Greek to Beta Code");
    command->add_option("TEXT", args->text)->required();
    command->callback([=] { print_json({{"text", to_utf8(converter()->to_betacode(text()))}}); });

    command = app.add_subcommand("clean", "a clicked word's key, cleaned");
    command->add_option("WORD", args->text)->required();
    command->callback([=] {
        wide_string word = text();
        clean_clicked_word(word);
        print_json({{"word", to_utf8(word)}});
    });

    command = app.add_subcommand("analyse", "analyses of a word and its neighbours");
    command->add_flag("--no-clean", args->no_clean, "look the word up as given");
    command->add_option("WORD", args->text)->required();
    command->callback([=, &context] {
        auto result = context.loaded_lexicon().analyse_word(text(), !args->no_clean);
        print_json({{"analysis", to_utf8(result[0])},
                    {"previous", to_utf8(result[1])},
                    {"next", to_utf8(result[2])}});
    });

    command = app.add_subcommand("analysis-of", "the analyses of a word");
    command->add_option("WORD", args->text)->required();
    command->callback([=, &context] {
        print_json({{"analysis", to_utf8(context.loaded_lexicon().analysis_of(text()))}});
    });

    command = app.add_subcommand("neighbours", "where an unknown word would stand");
    command->add_option("WORD", args->text)->required();
    command->callback([=, &context] {
        auto result = context.loaded_lexicon().morphology_neighbours(text());
        print_json({{"previous", to_utf8(result[0])}, {"next", to_utf8(result[1])}});
    });

    command = app.add_subcommand("define", "the definition of a headword");
    command->add_flag("--short", args->short_definition, "cut at 1,400 characters");
    command->add_option("HEADWORD", args->text)->required();
    command->callback([=, &context] {
        lexicon& lex = context.loaded_lexicon();
        wide_string definition =
            args->short_definition ? lex.short_definition_of(text()) : lex.definition_of(text());
        print_json({{"definition", to_utf8(definition)}, {"truncated", lex.definition_truncated}});
    });

    command = app.add_subcommand("dictionary-neighbours", "where a headword stands in the index");
    command->add_option("HEADWORD", args->text)->required();
    command->callback([=, &context] {
        auto result = context.loaded_lexicon().dictionary_neighbours(text());
        print_json({{"first", to_utf8(result[0])}, {"second", to_utf8(result[1])}});
    });

    command = app.add_subcommand("dictionary-page", "the dictionary window's page at a headword");
    command->add_option("HEADWORD", args->text)->required();
    command->add_option("--forward", args->forward, "pages forward after opening");
    command->add_option("--backward", args->backward, "pages backward after that");
    command->callback([=, &context] {
        lexicon& lex = context.loaded_lexicon();
        lex.open_dictionary_page(text());
        for (unsigned i = 0; i < args->forward; ++i) {
            lex.next_dictionary_page();
        }
        for (unsigned i = 0; i < args->backward; ++i) {
            lex.previous_dictionary_page();
        }
        print_json(page_json(lex));
    });

    command = app.add_subcommand("frequency", "the N-th count of a headword");
    command->add_option("HEADWORD", args->text)->required();
    command->add_option("N", args->field)->required();
    command->callback([=, &context] {
        print_json({{"count", context.loaded_lexicon().frequency_field(text(), args->field)}});
    });

    command = app.add_subcommand("sort-key", "a headword's alphabetical sort key");
    command->add_option("HEADWORD", args->text)->required();
    command->callback([=] {
        print_json({{"key", to_utf8(lexicon::alphabetical_sort_key(text()))}});
    });

    command = app.add_subcommand("stats", "table sizes and loading times");
    command->callback([&context] {
        lexicon& lex = context.loaded_lexicon();
        print_json({{"morphology", lex.morphology_size()},
                    {"dictionary", lex.dictionary_size()},
                    {"frequency", lex.frequency_size()},
                    {"index", lex.alphabetical_index_size()},
                    {"morphology_ready_ms", lex.morphology_ready_ms()},
                    {"loaded_ms", lex.loaded_ms()}});
    });

    command = app.add_subcommand("lookup", "a readable summary of a word, as the look-up pane");
    command->add_option("--author", args->author, "text-group number for the counts (1-44)");
    command->add_option("WORD", args->text)->required();
    command->callback(
        [=, &context] { print_lookup(context.loaded_lexicon(), text(), args->author); });
}

} // namespace veso::cli
