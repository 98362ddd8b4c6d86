#pragma once

#include "greek/betaconverter.h"
#include "greek/wide_string.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace veso {

namespace datafiles {
class data_integrity;
struct damaged_file;
} // namespace datafiles

// The lexicon engine: morphology, dictionary, frequencies and the alphabetical index, loaded from
// the six files of a data folder on a worker thread started by the constructor.
//
// Thread use: the loader thread builds each table privately and publishes it whole; every other
// member function is called from one thread (the user-interface thread) and may run while loading
// goes on. A look-up takes a reference-counted snapshot of the table it reads (a lock held only to
// copy a pointer), so it never waits for the loader. Morphology is published after m.dat and again
// after m_a.dat (then morphology_ready is set), the dictionary after each of its three files, the
// frequencies after o.dat and the alphabetical index at the end.
class lexicon {
public:
    explicit lexicon(std::filesystem::path data_folder);
    // Loads from the data folder in use, leaving out the files known to be damaged. Given
    // on_checked, the loader then compares every data file's checksum (after loading, so that it
    // costs no start-up time), loads the tables again without any lexicon file found damaged, and
    // calls on_checked on its own thread with the files found damaged by the checksums.
    using checked_callback = std::function<void(const std::vector<datafiles::damaged_file>&)>;
    explicit lexicon(std::shared_ptr<datafiles::data_integrity> data,
                     checked_callback on_checked = {});
    // Asks the loader to stop and waits for it before the tables go.
    ~lexicon();
    lexicon(const lexicon&) = delete;
    lexicon& operator=(const lexicon&) = delete;

    // Loading state.
    bool morphology_ready() const;
    bool loading_finished() const;
    void request_cancel();
    // Called once when loading has ended (not when it was cancelled): at once, on the calling
    // thread, if it already has; otherwise on the loader thread.
    void on_loading_finished(std::function<void()> callback);
    // Blocks until the loader has ended, finished or cancelled (for tools and tests).
    void wait_until_loaded() const;
    // Milliseconds from construction to morphology_ready and to the end of loading; negative
    // until reached.
    double morphology_ready_ms() const;
    double loaded_ms() const;

    // Morphology.
    std::array<wide_string, 3> analyse_word(const wide_string& word, bool clean) const;
    wide_string analysis_of(const wide_string& word) const;
    std::array<wide_string, 2> morphology_neighbours(const wide_string& word) const;

    // Frequencies: the n-th count of the headword's list (1-based, up to 44); 0 when missing.
    int frequency_field(const wide_string& headword, unsigned n) const;
    static wide_string alphabetical_sort_key(const wide_string& headword);

    // Dictionary.
    wide_string definition_of(const wide_string& headword) const;
    // The same as stored, its Greek spans still Beta Code (for readers of a few words of it).
    wide_string stored_definition_of(const wide_string& headword) const;
    wide_string short_definition_of(const wide_string& headword);
    void expand_greek_markup(wide_string& text) const;
    std::array<wide_string, 2> dictionary_neighbours(const wide_string& headword) const;
    void open_dictionary_page(const wide_string& headword);
    void next_dictionary_page();
    void previous_dictionary_page();
    // The headword of the entry the dictionary window stands on (row 1, or the last entry after
    // paging past the end); empty before the first page.
    wide_string page_position_headword() const;

    // Sizes of the tables as far as they are visible now.
    std::size_t morphology_size() const;
    std::size_t dictionary_size() const;
    std::size_t frequency_size() const;
    std::size_t alphabetical_index_size() const;

    // Set by short_definition_of when it cut a definition; read and cleared by the lookup view.
    bool definition_truncated = false;
    // The dictionary window's page: headword, definition, headword, definition, ...
    std::vector<wide_string> dictionary_page;
    wide_string page_first_headword;
    wide_string page_last_headword;
    // The headword the lookup view opened the dictionary window at.
    wide_string requested_headword;

    const betaconverter& greek_converter() const;

private:
    struct impl;
    std::unique_ptr<impl> impl_;
};

} // namespace veso
