#include "lexicon/dictionary_sources.h"

#include "lexicon/line_entries.h"
#include "lexicon/record_file.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

namespace veso::corpus {

std::string read_whole_file(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return {};
    }
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

namespace {

std::vector<std::filesystem::path> files_in(const std::filesystem::path& folder,
                                            std::string_view prefix, std::string_view suffix) {
    std::vector<std::filesystem::path> found;
    std::error_code ec;
    for (const auto& item : std::filesystem::directory_iterator(folder, ec)) {
        const std::string name = item.path().filename().string();
        if (name.starts_with(prefix) && name.ends_with(suffix)) {
            found.push_back(item.path());
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

struct source_tally {
    std::size_t read = 0;
    std::size_t used = 0;
    std::size_t cut = 0;
};

class definition_merger {
public:
    explicit definition_merger(nlohmann::json& report) : report_(report) {}

    void add(const char* source, std::vector<source_entry> entries, bool full_entries,
             bool always_wide) {
        source_tally& tally = tallies_[source];
        for (auto& e : entries) {
            ++tally.read;
            tally.cut += e.cut ? 1 : 0;
            if (definitions_.contains(e.headword)) {
                continue;
            }
            const bool latin1 = fits_latin1(e.headword) && fits_latin1(e.definition);
            const dictionary_file file = (always_wide || !latin1) ? dictionary_file::wide
                                         : full_entries           ? dictionary_file::full
                                                                  : dictionary_file::fallback;
            definitions_.emplace(std::move(e.headword),
                                 chosen_definition{std::move(e.definition), file, source});
            ++tally.used;
        }
    }

    std::map<std::u16string, chosen_definition> finish() {
        std::size_t cut = 0;
        for (const auto& [source, tally] : tallies_) {
            cut += tally.cut;
            report_["sources"][source] = {
                {"entries_read", tally.read}, {"entries_used", tally.used}, {"cut", tally.cut}};
        }
        report_["cut_entries"] = cut;
        return std::move(definitions_);
    }

private:
    nlohmann::json& report_;
    std::map<std::string, source_tally> tallies_;
    std::map<std::u16string, chosen_definition> definitions_;
};

constexpr std::size_t max_definition = 19999;

std::vector<source_entry> tei_file_entries(const std::filesystem::path& path,
                                           const tei_flavour& flavour,
                                           const betaconverter& converter, nlohmann::json& report) {
    pugi::xml_document document;
    std::string error;
    if (!load_xml(document, path.string(), error)) {
        report["unreadable"].push_back(error);
        return {};
    }
    return read_tei_entries(document, flavour, converter, max_definition);
}

template <typename T> void append(std::vector<T>& to, std::vector<T> from) {
    to.insert(to.end(), std::make_move_iterator(from.begin()), std::make_move_iterator(from.end()));
}

} // namespace

std::map<std::u16string, chosen_definition>
read_dictionaries(const std::filesystem::path& lexicon_folder, const betaconverter& converter,
                  nlohmann::json& report) {
    definition_merger merger(report);

    std::vector<source_entry> lsj;
    for (const auto& path : files_in(lexicon_folder / "lsj-perseus", "grc.lsj", ".xml")) {
        append(lsj, tei_file_entries(path, lsj_perseus_flavour, converter, report));
    }
    merger.add("lsj-perseus", std::move(lsj), true, false);

    lsj.clear();
    for (const auto& path : files_in(lexicon_folder / "lsj-alpheios", "ulsj-", ".xml")) {
        append(lsj, tei_file_entries(path, lsj_alpheios_flavour, converter, report));
    }
    merger.add("lsj-alpheios", std::move(lsj), true, false);

    lsj.clear();
    for (const auto& path : files_in(lexicon_folder / "lsj-markdown", "CITE-LSJ", ".cex")) {
        append(lsj, read_markdown_lsj(read_whole_file(path), converter, max_definition));
    }
    merger.add("lsj-markdown", std::move(lsj), true, false);

    {
        pugi::xml_document document;
        std::string error;
        const auto path = lexicon_folder / "abbott-smith" / "abbottsmithstrongs.xml";
        if (load_xml(document, path.string(), error)) {
            merger.add("abbott-smith", read_abbott_smith(document, converter, max_definition), true,
                       true);
        } else {
            report["unreadable"].push_back(error);
        }
    }
    merger.add("autenrieth",
               tei_file_entries(lexicon_folder / "autenrieth" / "autenrieth.xml",
                                autenrieth_flavour, converter, report),
               false, false);
    {
        pugi::xml_document document;
        std::string error;
        const auto path = lexicon_folder / "dodson" / "dodson.xml";
        if (load_xml(document, path.string(), error)) {
            merger.add("dodson", read_dodson(document, converter, max_definition), true, true);
        } else {
            report["unreadable"].push_back(error);
        }
    }
    merger.add("middle-liddell",
               read_short_definitions(
                   read_whole_file(lexicon_folder / "middle-liddell" / "grc-ml-defs.dat"), '|', 'M',
                   converter, max_definition),
               false, false);
    merger.add("lsj-short",
               read_short_definitions(
                   read_whole_file(lexicon_folder / "lsj-alpheios" / "grc-lsj-defs.dat"), '|', 'S',
                   converter, max_definition),
               false, false);
    merger.add("logeion-short",
               read_short_definitions(read_whole_file(lexicon_folder / "shortdefs-logeion" /
                                                      "shortdefsGreekEnglishLogeion"),
                                      '\t', 'S', converter, max_definition),
               false, false);
    return merger.finish();
}

} // namespace veso::corpus
