#include "library/mydoc.h"

#include "datafiles/data_integrity.h"
#include "lexicon/lexicon.h"
#include "library/line_number.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <fstream>
#include <string>

namespace veso {

namespace {

constexpr std::int32_t zero_tail = 200;
constexpr std::int32_t marker_walk_back = 500;
constexpr char16_t carriage_return = 13;
constexpr char16_t end_unit = 0xFFFF;

// Authors and work codes that pick a file.
constexpr std::int32_t lyric_fragments_author = 38;
constexpr std::int32_t bible_author = 44;
constexpr std::int32_t new_testament_work = 32;
constexpr std::int32_t septuagint_work = 40;

struct file_closer {
    std::FILE*& file;
    ~file_closer() {
        if (file) {
            std::fclose(file);
        }
    }
};

bool same_work(const passage_location& a, const passage_location& b) {
    return a.author_number == b.author_number && a.work_code == b.work_code &&
           a.file_offset == b.file_offset && a.byte_length == b.byte_length;
}

std::string trimmed(std::string s) {
    const auto is_space = [](unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    while (!s.empty() && is_space(static_cast<unsigned char>(s.back()))) {
        s.pop_back();
    }
    std::size_t first = 0;
    while (first < s.size() && is_space(static_cast<unsigned char>(s[first]))) {
        ++first;
    }
    return s.substr(first);
}

} // namespace

const std::u16string_view mydoc::message_caption = u"Veso";

std::u16string mydoc::data_mismatch_message() const {
    const std::u16string folder = datafiles::shown_path(data_->folder());
    return u"The text data in " + folder +
           u" does not match this program (its tables.fingerprint differs or is missing), so "
           u"no text is shown. Rebuild the data with:\n\n    " +
           datafiles::build_command(data_->folder()) +
           u"\n\nor, in Veso's source folder, remove the folder data and run ./setup.sh run, "
           u"which builds it afresh.";
}

std::u16string mydoc::passage_too_long_message() const {
    return u"This passage is longer than the text buffer holds; only its beginning is shown. The "
           u"data in " +
           datafiles::shown_path(data_->folder()) +
           u" does not fit this program: rebuild it with " +
           datafiles::build_command(data_->folder()) + u".";
}

document_tables document_tables::compiled() {
    return document_tables{passage_rows(), section_start_tables(),
                           text_data::new_testament_byte_length, text_data::last_septuagint_offset,
                           text_data::tables_fingerprint};
}

mydoc::mydoc(platform::ui_services& ui, lexicon* lex,
             std::shared_ptr<const datafiles::data_integrity> data)
    : ui_(ui), lexicon_(lex), data_(std::move(data)), tables_(document_tables::compiled()) {}

mydoc::mydoc(platform::ui_services& ui, lexicon* lex, const std::filesystem::path& working_folder)
    : mydoc(ui, lex,
            std::make_shared<const datafiles::data_integrity>(
                datafiles::data_location::below(working_folder))) {}

mydoc::~mydoc() {
    if (lexicon_) {
        lexicon_->request_cancel();
    }
}

void mydoc::attach(catalogue_pane* catalogue, text_pane* text, document_frame* frame) {
    catalogue_ = catalogue;
    text_view_ = text;
    frame_ = frame;
}

void mydoc::use_tables(const document_tables& tables) {
    tables_ = tables;
    data_checked_ = false;
}

bool mydoc::open_document(const std::filesystem::path&) {
    return false;
}

void mydoc::set_title(const wide_string& title) {
    title_ = title;
    if (frame_) {
        frame_->title_changed(title_);
    }
}

std::optional<passage_location> mydoc::location_of(std::int32_t id) const {
    const auto row =
        std::lower_bound(tables_.rows.begin(), tables_.rows.end(), id,
                         [](const passage_row& r, std::int32_t v) { return r.id < v; });
    if (row == tables_.rows.end() || row->id != id) {
        return std::nullopt;
    }
    return row->location;
}

// The fingerprint file is written by the data builder next to the text files; a data folder built
// for other tables would put passages at the wrong offsets, so nothing is loaded from it.
bool mydoc::data_matches_program() {
    if (data_checked_) {
        return true;
    }
    std::ifstream in(data_->folder() / "tables.fingerprint", std::ios::binary);
    if (!in) {
        return false;
    }
    std::string content(256, '\0');
    in.read(content.data(), static_cast<std::streamsize>(content.size()));
    content.resize(static_cast<std::size_t>(in.gcount()));
    data_checked_ = !tables_.fingerprint.empty() && trimmed(content) == tables_.fingerprint;
    return data_checked_;
}

bool mydoc::open_and_check_main_file(std::FILE*& file) {
    file = std::fopen((data_->folder() / datafiles::main_text_file).c_str(), "rb");
    if (!file) {
        ui_.message_box(datafiles::missing_data_message(data_->location()), message_caption);
        return false;
    }
    if (!data_matches_program()) {
        ui_.message_box(data_mismatch_message(), message_caption);
        return false;
    }
    if (!data_->usable(datafiles::main_text_file)) {
        ui_.message_box(data_->damage_message(), message_caption);
        return false;
    }
    return true;
}

// A damaged file is not read: its passages would show other text or none. A missing one stops
// the load without a message.
std::FILE* mydoc::open_sound_file(const char* name) {
    if (!data_->usable(name)) {
        ui_.message_box(data_->damage_message(), message_caption);
        return nullptr;
    }
    return std::fopen((data_->folder() / name).c_str(), "rb");
}

std::int32_t mydoc::loaded_units() const {
    return std::max(text_length - zero_tail, 0);
}

// Reads UTF-16LE units from the current file position into text until the end of the file, a unit
// 0xFFFF, or byte_length / 2 units; the limit never exceeds the buffer (minus the zero tail).
void mydoc::read_units(std::FILE* file) {
    constexpr std::int32_t limit = text_capacity - zero_tail;
    std::int32_t wanted = std::max(byte_length / 2, 0);
    if (wanted > limit) {
        wanted = limit;
        ui_.message_box(passage_too_long_message(), message_caption);
    }
    auto* bytes = reinterpret_cast<unsigned char*>(text.data());
    const std::size_t got = std::fread(bytes, 2, static_cast<std::size_t>(wanted), file);
    auto units = std::span(text.data(), got);
    if constexpr (std::endian::native == std::endian::big) {
        for (auto& unit : units) {
            unit = static_cast<char16_t>((unit >> 8) | (unit << 8));
        }
    }
    text_length =
        static_cast<std::int32_t>(std::find(units.begin(), units.end(), end_unit) - units.begin());
}

void mydoc::restart_text_layout() {
    if (text_view_) {
        text_view_->restart_layout(true);
    }
}

void mydoc::select_passage(std::int32_t id) {
    loading = true;
    if (text_view_) {
        text_view_->restart_layout(false);
    }
    author_number = 1;

    std::FILE* file = nullptr;
    file_closer closer{file};
    if (!open_and_check_main_file(file)) {
        return;
    }

    work_code = 0;
    file_offset = 0;
    byte_length = 0;
    section = 0;
    if (const auto row = location_of(id)) {
        author_number = row->author_number;
        work_code = row->work_code;
        file_offset = row->file_offset;
        byte_length = row->byte_length;
        section = row->section;
        section_count = row->section_count;
    } else {
        section_count = 0;
    }
    section_count = std::clamp(section_count, 0, section_capacity - 1);
    section = std::clamp(section, 0, section_count);

    const char* other_file = nullptr;
    if (author_number == lyric_fragments_author) {
        other_file = "s.dat";
    } else if (author_number == bible_author && work_code == new_testament_work) {
        byte_length = tables_.new_testament_byte_length;
        other_file = "nt.dat";
    } else if (work_code == septuagint_work) {
        other_file = "l.dat";
    }
    if (other_file) {
        std::fclose(file);
        file = open_sound_file(other_file);
        if (!file) {
            return;
        }
    }

    page_start = 0;
    page_starts.assign(1, 0);
    text_length = 0;
    if (file_offset >= 0 && std::fseek(file, file_offset, SEEK_SET) == 0) {
        read_units(file);
    }
    std::fill_n(text.begin() + text_length, zero_tail, u'\0');
    text_length += zero_tail;
    std::fclose(file);
    file = nullptr;

    if (section_count != 0) {
        compute_section_starts();
    }
    section_end = section_end_of(section);

    if (section != 0 || (section_count != 0 && (author_number == lyric_fragments_author ||
                                                work_code == new_testament_work))) {
        show_section(section);
    }

    loading = false;
    if (frame_) {
        frame_->update_all_views();
    }
    current_id = id;
}

std::int32_t mydoc::section_start() const {
    return section_count != 0 ? section_starts[static_cast<std::size_t>(
                                    std::clamp(section, 0, section_capacity - 1))]
                              : 0;
}

std::int32_t mydoc::section_end_of(std::int32_t index) const {
    if (index >= section_count || index < 0) {
        return text_length;
    }
    return section_starts[static_cast<std::size_t>(index) + 1];
}

// Entries that neither a table nor the marker scan gives start at the end of the loaded text, so
// the sections before them run to the end and they themselves show an empty page. Every entry is
// kept inside the loaded text, so a short read never leaves a page outside it.
void mydoc::finish_section_starts(std::int32_t written) {
    const std::int32_t end = loaded_units();
    for (std::int32_t j = 0; j <= section_count; ++j) {
        auto& start = section_starts[static_cast<std::size_t>(j)];
        start = j < written ? std::clamp(start, 0, end) : end;
    }
}

void mydoc::compute_section_starts() {
    for (const auto& table : tables_.section_tables) {
        const bool author_fits = table.author_number == 0 || table.author_number == author_number;
        const bool work_fits = table.work_code == -1 || table.work_code == work_code;
        if (author_fits && work_fits) {
            const auto count = std::min<std::size_t>(table.starts.size(),
                                                     static_cast<std::size_t>(section_count) + 1);
            std::copy_n(table.starts.begin(), count, section_starts.begin());
            finish_section_starts(static_cast<std::int32_t>(count));
            return;
        }
    }
    // Septuagint chapters have no sections; a row that claims some gets empty ones at the end.
    if (work_code == septuagint_work) {
        finish_section_starts(0);
        return;
    }

    // A section starts at the b-th carriage return before its first "[5]" (or "[3]") marker.
    std::int32_t last = 0;
    std::int32_t written = 0;
    for (std::int32_t j = 0; j <= section_count; ++j) {
        std::int32_t marker = -1;
        int lines_above = 0;
        for (std::int32_t i = last + 1; i < text_length - 10; ++i) {
            if (text[i] == u'[' && (text[i + 1] == u'5' || text[i + 1] == u'3') &&
                text[i + 2] == u']') {
                marker = i;
                lines_above = text[i + 1] == u'5' ? 5 : 3;
                break;
            }
        }
        if (marker < 0) {
            break;
        }
        last = marker;
        std::int32_t start = marker;
        int returns = 0;
        for (std::int32_t k = 0; k < marker_walk_back; ++k) {
            if (marker - k <= 0) {
                start = marker - k;
                break;
            }
            if (text[marker - k] == carriage_return && ++returns == lines_above) {
                start = marker - k;
                break;
            }
        }
        section_starts[static_cast<std::size_t>(j)] = start;
        written = j + 1;
    }
    finish_section_starts(written);
}

void mydoc::show_page(std::int32_t position) {
    page_start = position;
    page_starts.assign(1, position);
    restart_text_layout();
}

void mydoc::show_section(std::int32_t index) {
    if (index < 0 || index >= section_capacity) {
        return;
    }
    show_page(section_starts[static_cast<std::size_t>(index)]);
}

// The identifier of a section of the loaded work is the one whose row names this work and that
// section; identifiers of a work are not always consecutive (Pindar, Herodotus).
std::int32_t mydoc::identifier_of_section(std::int32_t index) const {
    const auto current = location_of(current_id);
    if (current) {
        for (const auto& row : tables_.rows) {
            if (row.location.section == index && same_work(row.location, *current)) {
                return row.id;
            }
        }
    }
    return 0;
}

std::int32_t mydoc::next_identifier_with_row(std::int32_t id) const {
    const auto row =
        std::upper_bound(tables_.rows.begin(), tables_.rows.end(), id,
                         [](std::int32_t v, const passage_row& r) { return v < r.id; });
    return row == tables_.rows.end() ? 0 : row->id;
}

void mydoc::page_forward() {
    if (text_length == 0) {
        return;
    }
    const bool next_inside = next_page_start >= 0 && next_page_start < text_capacity &&
                             text[static_cast<std::size_t>(next_page_start)] != 0 &&
                             next_page_start < section_end && !past_section_end;
    if (next_inside) {
        page_start = next_page_start;
        page_starts.push_back(page_start);
        restart_text_layout();
        return;
    }
    if (section < section_count) {
        // A section the text does not hold (its start was not found) ends the work, as does one
        // without a row.
        const std::int32_t next_id = identifier_of_section(section + 1);
        if (next_id == 0 ||
            section_starts[static_cast<std::size_t>(section) + 1] >= loaded_units()) {
            return;
        }
        ++section;
        current_id = next_id;
        if (catalogue_) {
            catalogue_->select_item_by_id(current_id);
        }
        show_section(section);
        section_end = section_end_of(section);
        return;
    }
    if (work_code == septuagint_work && file_offset != tables_.last_septuagint_offset) {
        const std::int32_t next_id = next_identifier_with_row(current_id);
        const auto next = location_of(next_id);
        if (!next || next->work_code != septuagint_work) {
            return;
        }
        current_id = next_id;
        if (catalogue_) {
            catalogue_->select_item_by_id(current_id);
        }
        select_passage(current_id);
    }
}

void mydoc::page_backward() {
    if (text_length == 0) {
        return;
    }
    if (page_starts.size() > 1) {
        page_starts.pop_back();
        page_start = page_starts.back();
        restart_text_layout();
        return;
    }
    if (section_count != 0 && section != 0) {
        const std::int32_t previous_id = identifier_of_section(section - 1);
        if (previous_id == 0) {
            return;
        }
        --section;
        current_id = previous_id;
        if (catalogue_) {
            catalogue_->select_item_by_id(current_id);
        }
        show_section(section);
        section_end = section_end_of(section);
    }
}

void mydoc::goto_line() {
    const auto typed = ui_.run_text_dialog(platform::text_dialog::goto_line);
    if (!typed || typed->empty()) {
        return;
    }
    const std::int32_t n = round_to_marker_step(wide_to_int(*typed));
    if (n == 0) {
        show_page(0);
        return;
    }
    find_marker(u"[" + int_to_wide(n));
}

void mydoc::find_marker(const wide_string& pattern) {
    const std::int32_t last_start = text_length - 10; // exclusive
    if (pattern.empty() || last_start <= 1) {
        return;
    }
    const auto window_end = std::min<std::size_t>(
        static_cast<std::size_t>(last_start) - 1 + pattern.size(), text.size());
    const std::u16string_view loaded(text.data(), window_end);
    const auto found = loaded.find(pattern, 1);
    if (found == std::u16string_view::npos || found >= static_cast<std::size_t>(last_start)) {
        return;
    }
    show_page(static_cast<std::int32_t>(found));
}

void mydoc::toggle_catalogue_pane() {
    catalogue_pane_shown = !catalogue_pane_shown;
    if (frame_) {
        if (catalogue_pane_shown) {
            frame_->set_catalogue_column(200, 100);
        } else {
            frame_->set_catalogue_column(0, 0);
        }
    }
}

} // namespace veso
