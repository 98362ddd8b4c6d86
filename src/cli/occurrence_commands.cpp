#include "cli/commands.h"
#include "datafiles/data_integrity.h"
#include "lexicon/lexicon.h"
#include "library/catalogue_tree.h"
#include "library/mydoc.h"
#include "occurrences/occurrence_search.h"
#include "occurrences/passage_text.h"
#include "occurrences/short_gloss.h"
#include "occurrences/typed_word.h"
#include "occurrences/vocabulary.h"

#include <cmath>
#include <filesystem>
#include <iostream>
#include <memory>

namespace veso::cli {

namespace {

using nlohmann::json;
using namespace veso::occurrences;

// The data folder found as the program finds it.
std::filesystem::path data_folder(command_context& context) {
    return context.data()->folder();
}

// A command's failure, with what to tell the user.
struct failure {
    wide_string message;
};

[[noreturn]] void fail(const wide_string& message) {
    throw failure{message};
}

// Runs a command; a failure puts its message on standard error and ends the program with status 1
// once the command's objects are gone.
template <class Command> void run_reporting(Command command) {
    int status = 0;
    try {
        command();
    } catch (const failure& f) {
        std::cerr << "veso-cli: " << to_utf8(f.message) << "\n";
        status = 1;
    }
    exit_on_failure(status);
}

// The author numbers whose texts the index holds, as "1 to 31, 38 and 44".
wide_string indexed_authors(const occurrence_index& index) {
    std::vector<std::pair<int, int>> ranges;
    for (int a = 1; a < static_cast<int>(author_slots); ++a) {
        if (index.author_tokens(a) == 0) {
            continue;
        }
        if (!ranges.empty() && ranges.back().second == a - 1) {
            ranges.back().second = a;
        } else {
            ranges.emplace_back(a, a);
        }
    }
    wide_string out;
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        if (i > 0) {
            out += i + 1 == ranges.size() ? u" and " : u", ";
        }
        out += from_utf8(std::to_string(ranges[i].first));
        if (ranges[i].second != ranges[i].first) {
            out += u" to " + from_utf8(std::to_string(ranges[i].second));
        }
    }
    return out;
}

std::unique_ptr<occurrence_index> open_index(const std::filesystem::path& folder) {
    auto opened = occurrence_index::open(folder, document_tables::compiled().fingerprint);
    if (!opened.index) {
        fail(opened.message);
    }
    return std::move(opened.index);
}

// Whole counts print as integers; counts that a model of readings shares out may not be whole.
json count_json(double count) {
    const double rounded = std::round(count);
    if (std::abs(count - rounded) < 1e-6) {
        return static_cast<long long>(rounded);
    }
    return std::round(count * 100) / 100;
}

struct occurrence_arguments {
    std::string word;
    bool form = false;
    bool all_readings = false;
    int author = 0;
    long long limit = 20;
};

void run_occurrences(const occurrence_arguments& args, command_context& context) {
    const betaconverter converter;
    const auto key = typed_word_key(from_utf8(args.word), converter);
    if (!key) {
        fail(u"\"" + from_utf8(args.word) +
             u"\" is no Greek word: type it in Greek letters or in Beta Code (λόγος or lo/gos).");
    }
    if (args.limit < 0) {
        fail(u"--limit takes a number of hits, 0 or more.");
    }
    const auto index = open_index(data_folder(context));
    if (args.author != 0 && index->author_tokens(args.author) == 0) {
        fail(u"--author " + from_utf8(std::to_string(args.author)) +
             u": no texts of that author are indexed (the index holds texts of authors " +
             indexed_authors(*index) + u").");
    }
    occurrence_search search;
    std::vector<std::uint32_t> lemmas;
    if (args.form) {
        search = search_form(index->find_form(*key));
        if (search.keys.empty()) {
            fail(u"the form " + converter.to_unicode_word(*key) + u" (Beta Code " + *key +
                 u") does not occur in the texts.");
        }
        for (const std::uint32_t k : search.keys) {
            for (const std::uint32_t l : index->lemmas_of_key(k)) {
                if (std::find(lemmas.begin(), lemmas.end(), l) == lemmas.end()) {
                    lemmas.push_back(l);
                }
            }
        }
    } else {
        lemmas = index->find_lemmas(*key);
        if (lemmas.empty()) {
            // A form typed where a lemma was asked for: its lemmas.
            for (const std::uint32_t k : index->find_form(*key)) {
                for (const std::uint32_t l : index->lemmas_of_key(k)) {
                    if (std::find(lemmas.begin(), lemmas.end(), l) == lemmas.end()) {
                        lemmas.push_back(l);
                    }
                }
            }
        }
        if (lemmas.empty()) {
            fail(u"no lemma or form " + converter.to_unicode_word(*key) + u" (Beta Code " + *key +
                 u") occurs in the texts.");
        }
        search = search_lemmas(*index, lemmas);
    }
    const hit_list found = find_hits(*index, search);
    const bool every_hit = args.form || args.all_readings;

    json by_author = json::object();
    std::uint64_t total = 0;
    for (std::size_t a = 0; a < author_slots; ++a) {
        if (args.author != 0 && static_cast<int>(a) != args.author) {
            continue;
        }
        const std::uint32_t n = every_hit ? found.all_by_author[a] : found.likeliest_by_author[a];
        if (n > 0) {
            by_author[std::to_string(a)] = n;
            total += n;
        }
    }
    json expected = nullptr;
    if (!args.form) {
        double sum = 0;
        for (const std::uint32_t l : lemmas) {
            for (const author_count& c : index->lemma_counts(l)) {
                if (args.author == 0 || static_cast<int>(c.author) == args.author) {
                    sum += c.count;
                }
            }
        }
        expected = count_json(sum);
    }

    passage_text text(data_folder(context));
    json hits = json::array();
    for (const hit& h : found.hits) {
        const leaf_record& leaf = index->leaves()[index->leaf_of_token(h.token)];
        if ((!every_hit && !h.likeliest) || (args.author != 0 && leaf.author != args.author)) {
            continue;
        }
        if (args.limit != 0 && static_cast<long long>(hits.size()) >= args.limit) {
            break;
        }
        const std::int32_t position = index->position_of(h.token);
        const keyword_line line = keyword_in_context(text, leaf, position);
        wide_string context = line.before;
        context += (context.empty() ? u"" : u" ") + line.word;
        context += (line.after.empty() ? u"" : u" ") + line.after;
        hits.push_back({{"id", leaf.id},
                        {"title", to_utf8(catalogue_title_of(leaf.id))},
                        {"position", position},
                        {"context", to_utf8(context)},
                        {"likeliest", h.likeliest}});
    }
    json lemma_list = json::array();
    for (const std::uint32_t l : lemmas) {
        lemma_list.push_back(to_utf8(index->lemma(l)));
    }
    print_json({{"word", to_utf8(*key)},
                {"lemmas", lemma_list},
                {"total", total},
                {"expected", expected},
                {"by_author", by_author},
                {"hits", hits}});
}

struct vocabulary_arguments {
    std::int32_t id = 0;
    int section = -1;
    std::uint32_t skip_common = 0;
};

// The leaf of the work that id belongs to, at the section asked for (id's own without one).
std::int32_t leaf_of_section(std::int32_t id, int section) {
    const auto rows = passage_rows();
    const auto row =
        std::find_if(rows.begin(), rows.end(), [id](const passage_row& r) { return r.id == id; });
    if (row == rows.end()) {
        fail(u"no passage carries the identifier " + from_utf8(std::to_string(id)) + u".");
    }
    if (section < 0 || section == row->location.section) {
        return id;
    }
    for (const passage_row& r : rows) {
        const auto& a = r.location;
        const auto& b = row->location;
        if (a.section == section && a.author_number == b.author_number &&
            a.work_code == b.work_code && a.file_offset == b.file_offset &&
            a.byte_length == b.byte_length) {
            return r.id;
        }
    }
    fail(u"the work of " + from_utf8(std::to_string(id)) + u" has no section " +
         from_utf8(std::to_string(section)) + u".");
}

void run_vocabulary(const vocabulary_arguments& args, command_context& context) {
    const std::int32_t id = leaf_of_section(args.id, args.section);
    const auto index = open_index(data_folder(context));
    const auto leaf = index->leaf_with_id(id);
    if (!leaf) {
        fail(u"the leaf " + from_utf8(std::to_string(id)) + u" is not in the occurrence index.");
    }
    lexicon& lex = context.loaded_lexicon();
    const betaconverter& converter = lex.greek_converter();
    const vocabulary_list list(*index, *leaf, converter);
    const auto rows = list.rows(vocabulary_order::first_appearance, args.skip_common,
                                [&](const wide_string& lemma) {
                                    return short_gloss(lex.stored_definition_of(lemma), converter);
                                });
    json out = json::array();
    for (const vocabulary_row& row : rows) {
        out.push_back({{"lemma", to_utf8(row.beta)},
                       {"greek", to_utf8(row.greek)},
                       {"in_section", row.in_section},
                       {"in_author", count_json(row.in_author)},
                       {"gloss", to_utf8(row.gloss)}});
    }
    const auto location = std::find_if(passage_rows().begin(), passage_rows().end(),
                                       [id](const passage_row& r) { return r.id == id; });
    print_json({{"id", args.id}, {"section", location->location.section}, {"rows", out}});
}

} // namespace

void add_occurrence_commands(CLI::App& app, command_context& context) {
    auto occurrences = std::make_shared<occurrence_arguments>();
    auto* command = app.add_subcommand(
        "occurrences", "Every occurrence of a lemma (or with --form of a word form) in the texts, "
                       "with its counts per author, as one JSON line");
    command->add_flag("--form", occurrences->form, "WORD is a word form, not a lemma");
    command->add_flag("--all-readings", occurrences->all_readings,
                      "also list tokens whose likeliest reading is another lemma");
    command->add_option("--author", occurrences->author, "only the texts of this author number");
    command->add_option("--limit", occurrences->limit, "hits to print (default 20; 0: all)");
    command->add_option("WORD", occurrences->word, "Greek or Beta Code")->required();
    command->callback([occurrences, &context] {
        run_reporting([&] { run_occurrences(*occurrences, context); });
    });

    auto vocabulary = std::make_shared<vocabulary_arguments>();
    command = app.add_subcommand(
        "vocabulary", "Every lemma of a section once, with its counts and a short gloss, in order "
                      "of first appearance, as one JSON line");
    command->add_option("ID", vocabulary->id, "catalogue identifier")->required();
    command
        ->add_option("--section", vocabulary->section,
                     "section of ID's work (default: ID's own section)")
        ->check(CLI::Range(0, mydoc::section_capacity - 1));
    command->add_option("--skip-common", vocabulary->skip_common,
                        "leave out the author's K most frequent lemmas");
    command->callback(
        [vocabulary, &context] { run_reporting([&] { run_vocabulary(*vocabulary, context); }); });
}

} // namespace veso::cli
