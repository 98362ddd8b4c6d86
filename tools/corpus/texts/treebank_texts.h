#pragma once

#include "common/treebank.h"
#include "texts/catalogue_outline.h"
#include "texts/text_model.h"

#include <filesystem>
#include <span>
#include <string>

namespace veso::corpus {

// The reading text of treebank sentences as one line without its carriage return: the words in
// order, punctuation joined to the word before (an opening bracket to the word after), words the
// annotators cut at a hyphen joined again, and the lost letters of a damaged word ("καG?", "G?")
// shown as editions show them ("κα[", "[…]"). Cleaned like any edition's text.
std::u16string treebank_text(std::span<const treebank_sentence* const> sentences);

// Sappho's fragments in the lyric file, one section per leaf: leaf n is fragment n with all its
// lettered and papyrus parts in order, each part on a line of its own headed by its number
// ("[15a]") when the fragment has parts. A fragment the treebank lacks holds the notice.
bool build_sappho_fragments(const outline_author& author, const std::filesystem::path& treebank,
                            author_texts& out, std::string& error);

// The Old Oligarch's single passage: one line per section, headed by the section's number.
bool build_old_oligarch(const outline_author& author, const std::filesystem::path& treebank,
                        author_texts& out, std::string& error);

} // namespace veso::corpus
