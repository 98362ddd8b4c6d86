#include "lexicon/definition_choice.h"

#include "lexicon/definition_markup.h"
#include "lexicon/definition_text.h"
#include "lexicon/headword_check.h"
#include "lexicon/record_file.h"

#include <unordered_map>

namespace veso::corpus {

namespace {

struct source_tally {
    std::size_t first_part = 0; // definitions it gives whole or opens
    std::size_t later_part = 0; // composed definitions it ends
    std::size_t superseded_by_lsj = 0;
    std::size_t unused = 0; // a gloss or fuller entry of another source was taken instead
    std::size_t cut = 0;
};

dictionary_file file_for(const std::u16string& headword, const std::u16string& text, bool lsj) {
    if (!fits_latin1(headword) || !fits_latin1(text)) {
        return dictionary_file::wide;
    }
    return lsj ? dictionary_file::full : dictionary_file::fallback;
}

std::string narrow(const std::u16string& ascii) {
    return std::string(ascii.begin(), ascii.end());
}

// An entry chosen for a headword and the source it comes from.
struct candidate {
    const source_entry* entry = nullptr;
    std::size_t source = 0;
};

} // namespace

std::u16string compose_definition(std::u16string_view gloss, std::u16string_view fuller) {
    std::u16string text(gloss);
    if (!text.ends_with(u' ') && !text.ends_with(u"</G>")) {
        text += u' ';
    }
    text += u"<I>";
    text += definition_source_name(definition_source_letter(fuller));
    text += u' ';
    const std::u16string_view rest = fuller.substr(std::min<std::size_t>(4, fuller.size()));
    if (!rest.starts_with(u"<B>") && !rest.starts_with(u"<I>") && !rest.starts_with(u"<N>")) {
        text += u"<N>";
    }
    text += rest;
    return text;
}

dictionary choose_definitions(std::vector<dictionary_source>& sources, std::size_t max_length,
                              nlohmann::json& report) {
    dictionary out;
    std::vector<source_tally> tallies(sources.size());

    for (std::size_t s = 0; s < sources.size(); ++s) {
        if (sources[s].role != source_role::lsj_full) {
            continue;
        }
        for (auto& e : sources[s].entries) {
            if (out.definitions.contains(e.headword)) {
                ++tallies[s].unused;
                continue;
            }
            out.lsj.add(narrow(e.headword), e.definition,
                        shown_headword_words(e.shown_headword).size() <= 1);
            tallies[s].cut += e.cut ? 1 : 0;
            ++tallies[s].first_part;
            const dictionary_file file = file_for(e.headword, e.definition, true);
            out.definitions.emplace(e.headword,
                                    chosen_definition{std::move(e.definition), file,
                                                      sources[s].name, definition_kind::lsj_full});
        }
    }

    // A homograph digit 1 that no other digit of the spelling accompanies in any other source
    // marks no homograph: "ei)mi/1" and "ei)mi/" are one headword.
    std::unordered_map<std::u16string, std::u16string> digits_used;
    for (const auto& source : sources) {
        if (source.role == source_role::lsj_full) {
            continue;
        }
        for (const auto& e : source.entries) {
            const auto bare = e.headword.find_last_not_of(u"0123456789") + 1;
            if (bare < e.headword.size()) {
                digits_used[e.headword.substr(0, bare)] += e.headword.substr(bare);
            }
        }
    }
    auto headword_of = [&](const std::u16string& key) {
        const auto bare = key.find_last_not_of(u"0123456789") + 1;
        if (key.size() == bare + 1 && key.back() == u'1' &&
            digits_used[key.substr(0, bare)].find_first_not_of(u'1') == std::u16string::npos) {
            return key.substr(0, bare);
        }
        return key;
    };

    // Of the other sources, per headword: the first gloss and the longest fuller entry.
    std::map<std::u16string, std::pair<candidate, candidate>> parts;
    for (std::size_t s = 0; s < sources.size(); ++s) {
        if (sources[s].role == source_role::lsj_full) {
            continue;
        }
        for (const auto& e : sources[s].entries) {
            if (out.lsj.has(narrow(e.headword))) {
                ++tallies[s].superseded_by_lsj;
                continue;
            }
            auto& [gloss, fuller] = parts[headword_of(e.headword)];
            candidate& slot = sources[s].role == source_role::gloss ? gloss : fuller;
            const bool better =
                slot.entry == nullptr || (sources[s].role == source_role::fuller &&
                                          e.definition.size() > slot.entry->definition.size());
            if (!better) {
                ++tallies[s].unused;
                continue;
            }
            if (slot.entry != nullptr) {
                ++tallies[slot.source].unused;
            }
            slot = {&e, s};
        }
    }
    for (const auto& [headword, pair] : parts) {
        const auto& [gloss, fuller] = pair;
        chosen_definition chosen;
        bool cut = false;
        if (gloss.entry != nullptr && fuller.entry != nullptr) {
            chosen.text = compose_definition(gloss.entry->definition, fuller.entry->definition);
            cut = cut_definition(chosen.text, max_length, gloss.entry->definition.size());
            chosen.kind = definition_kind::composed;
            ++tallies[gloss.source].first_part;
            ++tallies[fuller.source].later_part;
            tallies[fuller.source].cut += (cut || fuller.entry->cut) ? 1 : 0;
            chosen.source = sources[gloss.source].name;
        } else {
            const candidate& only = gloss.entry != nullptr ? gloss : fuller;
            chosen.text = only.entry->definition;
            chosen.kind = definition_kind::single;
            ++tallies[only.source].first_part;
            tallies[only.source].cut += only.entry->cut ? 1 : 0;
            chosen.source = sources[only.source].name;
        }
        chosen.file = file_for(headword, chosen.text, false);
        out.definitions.emplace(headword, std::move(chosen));
    }

    std::size_t cut = 0;
    for (std::size_t s = 0; s < sources.size(); ++s) {
        const auto& t = tallies[s];
        cut += t.cut;
        auto& r = report["sources"][sources[s].name];
        r["first_or_whole_part"] = t.first_part;
        r["later_part_of_composed"] = t.later_part;
        r["superseded_by_lsj"] = t.superseded_by_lsj;
        r["not_chosen"] = t.unused;
        r["cut"] = t.cut;
    }
    report["cut_entries"] = cut;
    return out;
}

} // namespace veso::corpus
