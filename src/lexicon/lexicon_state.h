#pragma once

#include "greek/betaconverter.h"
#include "lexicon/alphabetical_index.h"
#include "lexicon/lexicon.h"
#include "lexicon/lexicon_file.h"
#include "lexicon/sorted_table.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace veso {

// A table that the loader replaces whole and readers take a reference-counted snapshot of; the
// lock is held only to copy the pointer.
template <class T> class published {
public:
    published() : value_(std::make_shared<const T>()) {}
    explicit published(std::shared_ptr<const T> initial) : value_(std::move(initial)) {}
    std::shared_ptr<const T> get() const {
        std::lock_guard lock(mutex_);
        return value_;
    }
    void set(std::shared_ptr<const T> value) {
        std::lock_guard lock(mutex_);
        value_ = std::move(value);
    }

private:
    mutable std::mutex mutex_;
    std::shared_ptr<const T> value_;
};

struct lexicon::impl {
    impl(std::filesystem::path folder, std::shared_ptr<datafiles::data_integrity> integrity,
         checked_callback checked);

    std::filesystem::path data_folder;
    // What is known of the data's soundness; null for a folder taken as it is.
    std::shared_ptr<datafiles::data_integrity> data;
    checked_callback on_checked;
    betaconverter converter;

    std::atomic<bool> cancel_requested{false};
    std::atomic<bool> morphology_ready{false};

    published<sorted_table> morphology;
    published<sorted_table> dictionary;
    published<sorted_table> frequency;
    published<alphabetical_index> index;

    // Paging: the index the page was opened in and the position of row 1 there.
    std::shared_ptr<const alphabetical_index> page_index;
    std::size_t page_position = 0;

    std::chrono::steady_clock::time_point started;
    std::atomic<double> morphology_ready_ms{-1};
    std::atomic<double> loaded_ms{-1};

    // End of loading: finished (all files and the index), or stopped (finished or cancelled).
    std::mutex end_mutex;
    std::condition_variable end_signal;
    bool finished = false;
    bool stopped = false;
    std::function<void()> finished_callback;

    std::jthread loader;

    void load();
    // Reads the six files into the tables and publishes them; false when cancelled.
    bool load_tables();
    void verify_checksums();
    bool read(const char* file, const lexicon_file_format& format, table_builder& table);
    void publish_end(bool complete);
};

} // namespace veso
