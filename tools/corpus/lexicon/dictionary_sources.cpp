#include "lexicon/dictionary_sources.h"

#include "lexicon/headword_check.h"
#include "lexicon/line_entries.h"

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

constexpr std::size_t max_definition = 19999;

template <typename T> void append(std::vector<T>& to, std::vector<T> from) {
    to.insert(to.end(), std::make_move_iterator(from.begin()), std::make_move_iterator(from.end()));
}

class source_reader {
public:
    source_reader(const betaconverter& converter, nlohmann::json& report)
        : converter_(converter), report_(report) {}

    std::vector<source_entry> tei_files(const std::vector<std::filesystem::path>& paths,
                                        const tei_flavour& flavour) {
        std::vector<source_entry> entries;
        for (const auto& path : paths) {
            pugi::xml_document document;
            if (load(document, path)) {
                append(entries, read_tei_entries(document, flavour, converter_, max_definition));
            }
        }
        return entries;
    }

    template <typename Reader>
    std::vector<source_entry> xml_file(const std::filesystem::path& path, Reader read) {
        pugi::xml_document document;
        if (!load(document, path)) {
            return {};
        }
        return read(document, converter_, max_definition);
    }

private:
    bool load(pugi::xml_document& document, const std::filesystem::path& path) {
        std::string error;
        if (!load_xml(document, path.string(), error)) {
            report_["unreadable"].push_back(error);
            return false;
        }
        return true;
    }

    const betaconverter& converter_;
    nlohmann::json& report_;
};

nlohmann::json checks_json(const headword_checks& checks) {
    nlohmann::json out = {{"rekeyed", checks.rekeyed.size()},
                          {"dropped", checks.dropped.size()},
                          {"rekeyed_entries", nlohmann::json::array()},
                          {"dropped_entries", nlohmann::json::array()}};
    for (const auto& r : checks.rekeyed) {
        out["rekeyed_entries"].push_back({r.source, r.old_key, r.new_key});
    }
    for (const auto& d : checks.dropped) {
        out["dropped_entries"].push_back({d.source, d.key, d.reason});
    }
    return out;
}

} // namespace

dictionary read_dictionaries(const std::filesystem::path& lexicon_folder,
                             const betaconverter& converter, nlohmann::json& report) {
    source_reader read(converter, report);
    auto short_definitions = [&](std::string_view file_text, char separator, char letter,
                                 short_definition_lines lines = short_definition_lines::unmarked) {
        return read_short_definitions(file_text, separator, letter, converter, max_definition,
                                      lines);
    };
    // Read once: their unmarked and their marked lines are two sources.
    const std::string lsj_glosses =
        read_whole_file(lexicon_folder / "lsj-alpheios" / "grc-lsj-defs.dat");
    const std::string middle_liddell_glosses =
        read_whole_file(lexicon_folder / "middle-liddell" / "grc-ml-defs.dat");
    std::vector<source_entry> markdown;
    for (const auto& path : files_in(lexicon_folder / "lsj-markdown", "CITE-LSJ", ".cex")) {
        append(markdown, read_markdown_lsj(read_whole_file(path), converter, max_definition));
    }

    std::vector<dictionary_source> sources;
    sources.push_back({"lsj-perseus", source_role::lsj_full,
                       read.tei_files(files_in(lexicon_folder / "lsj-perseus", "grc.lsj", ".xml"),
                                      lsj_perseus_flavour)});
    sources.push_back({"lsj-alpheios", source_role::lsj_full,
                       read.tei_files(files_in(lexicon_folder / "lsj-alpheios", "ulsj-", ".xml"),
                                      lsj_alpheios_flavour)});
    sources.push_back({"lsj-markdown", source_role::lsj_full, std::move(markdown)});
    sources.push_back({"lsj-short", source_role::gloss, short_definitions(lsj_glosses, '|', 'S')});
    sources.push_back({"middle-liddell", source_role::gloss,
                       short_definitions(middle_liddell_glosses, '|', 'M')});
    sources.push_back({"logeion-short", source_role::gloss,
                       short_definitions(read_whole_file(lexicon_folder / "shortdefs-logeion" /
                                                         "shortdefsGreekEnglishLogeion"),
                                         '\t', 'G')});
    // The marked lines of both files after every other gloss.
    sources.push_back({"lsj-short-marked", source_role::gloss,
                       short_definitions(lsj_glosses, '|', 'S', short_definition_lines::marked)});
    sources.push_back(
        {"middle-liddell-marked", source_role::gloss,
         short_definitions(middle_liddell_glosses, '|', 'M', short_definition_lines::marked)});
    sources.push_back(
        {"autenrieth", source_role::fuller,
         read.tei_files({lexicon_folder / "autenrieth" / "autenrieth.xml"}, autenrieth_flavour)});
    sources.push_back({"abbott-smith", source_role::fuller,
                       read.xml_file(lexicon_folder / "abbott-smith" / "abbottsmithstrongs.xml",
                                     read_abbott_smith)});
    sources.push_back({"dodson", source_role::fuller,
                       read.xml_file(lexicon_folder / "dodson" / "dodson.xml", read_dodson)});

    headword_checks checks;
    for (auto& source : sources) {
        report["sources"][source.name]["entries_read"] = source.entries.size();
        check_headwords(source.name, source.entries, checks);
    }
    for (const auto& r : checks.rekeyed) {
        report["sources"][r.source]["rekeyed"] =
            report["sources"][r.source].value("rekeyed", 0) + 1;
    }
    for (const auto& d : checks.dropped) {
        report["sources"][d.source]["dropped"] =
            report["sources"][d.source].value("dropped", 0) + 1;
    }
    report["headword_check"] = checks_json(checks);
    return choose_definitions(sources, max_definition, report);
}

} // namespace veso::corpus
