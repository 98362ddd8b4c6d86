#pragma once

#include "texts/catalogue_outline.h"
#include "texts/text_model.h"

#include <filesystem>
#include <string>

namespace veso::corpus {

// The New Testament from the SBL Greek New Testament (texts/sblgnt/text): one sectioned work of
// 260 chapters in nt.dat.
bool build_new_testament(const outline_author& author, const std::filesystem::path& sblgnt_text,
                         author_texts& out, std::string& error);

// The Septuagint from Swete (texts/lxx-swete/data) with Brenton's Ecclesiastes and Judges B
// (texts/lxx-brenton/chapters): 1,176 chapter passages in l.dat.
bool build_septuagint(const outline_author& author, const std::filesystem::path& swete_data,
                      const std::filesystem::path& brenton_chapters, author_texts& out,
                      std::string& error);

} // namespace veso::corpus
