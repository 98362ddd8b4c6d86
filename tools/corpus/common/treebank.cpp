#include "common/treebank.h"

#include <pugixml.hpp>

namespace veso::corpus {
namespace {

std::optional<std::vector<treebank_sentence>>
parse(const pugi::xml_document& xml, const pugi::xml_parse_result& result, std::string& error) {
    if (!result) {
        error = std::string("XML error: ") + result.description();
        return std::nullopt;
    }
    const pugi::xml_node root = xml.child("treebank");
    if (!root) {
        error = "no <treebank>";
        return std::nullopt;
    }
    std::vector<treebank_sentence> sentences;
    for (const pugi::xml_node s : root.children("sentence")) {
        treebank_sentence sentence{
            s.attribute("document_id").value(), s.attribute("subdoc").value(), {}};
        for (const pugi::xml_node w : s.children("word")) {
            sentence.words.push_back({w.attribute("form").value(), w.attribute("lemma").value(),
                                      w.attribute("postag").value(),
                                      static_cast<bool>(w.attribute("artificial"))});
        }
        sentences.push_back(std::move(sentence));
    }
    return sentences;
}

} // namespace

bool treebank_word::punctuation() const {
    return !postag.empty() && postag.front() == 'u';
}

std::optional<std::vector<treebank_sentence>> read_treebank(const std::filesystem::path& file,
                                                            std::string& error) {
    pugi::xml_document xml;
    const auto result = xml.load_file(file.c_str());
    auto sentences = parse(xml, result, error);
    if (!sentences) {
        error = file.string() + ": " + error;
    }
    return sentences;
}

std::optional<std::vector<treebank_sentence>> read_treebank_text(std::string_view xml_text,
                                                                 std::string& error) {
    pugi::xml_document xml;
    const auto result = xml.load_buffer(xml_text.data(), xml_text.size());
    return parse(xml, result, error);
}

} // namespace veso::corpus
