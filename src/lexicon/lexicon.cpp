#include "lexicon/lexicon.h"

#include "datafiles/data_integrity.h"
#include "lexicon/lexicon_state.h"

#include <algorithm>
#include <array>

namespace veso {

namespace {

double elapsed_ms(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since)
        .count();
}

// The six files the loader reads.
constexpr std::array lexicon_files{"m.dat", "m_a.dat", "d.dat", "d_b.dat", "d_a.dat", "o.dat"};

bool is_lexicon_file(const std::string& name) {
    return std::find(lexicon_files.begin(), lexicon_files.end(), name) != lexicon_files.end();
}

} // namespace

lexicon::impl::impl(std::filesystem::path folder,
                    std::shared_ptr<datafiles::data_integrity> integrity, checked_callback checked)
    : data_folder(std::move(folder)), data(std::move(integrity)), on_checked(std::move(checked)),
      started(std::chrono::steady_clock::now()) {}

// A file known to be damaged adds nothing, as a missing one does.
bool lexicon::impl::read(const char* file, const lexicon_file_format& format,
                         table_builder& table) {
    if (data && !data->usable(file)) {
        return !cancel_requested.load();
    }
    return read_lexicon_file(data_folder / file, format, cancel_requested, table);
}

bool lexicon::impl::load_tables() {
    table_builder builder;
    if (!read("m.dat", morphology_format, builder)) {
        return false;
    }
    auto primary = builder.finish();
    morphology.set(primary);
    if (!read("m_a.dat", morphology_format, builder)) {
        return false;
    }
    morphology.set(sorted_table::merge(*primary, *builder.finish()));
    primary.reset();
    if (!morphology_ready.load()) {
        morphology_ready_ms = elapsed_ms(started);
        morphology_ready.store(true, std::memory_order_release);
    }

    const std::pair<const char*, const lexicon_file_format*> dictionary_files[] = {
        {"d.dat", &dictionary_format},
        {"d_b.dat", &wide_dictionary_format},
        {"d_a.dat", &dictionary_format}};
    std::shared_ptr<const sorted_table> definitions = std::make_shared<const sorted_table>();
    for (const auto& [file, format] : dictionary_files) {
        if (!read(file, *format, builder)) {
            return false;
        }
        definitions = sorted_table::merge(*definitions, *builder.finish());
        dictionary.set(definitions);
    }

    if (!read("o.dat", frequency_format, builder)) {
        return false;
    }
    frequency.set(builder.finish());

    index.set(std::make_shared<const alphabetical_index>(definitions));
    return true;
}

void lexicon::impl::load() {
    if (!load_tables()) {
        return publish_end(false);
    }
    loaded_ms = elapsed_ms(started);
    publish_end(true);
    if (data && on_checked) {
        verify_checksums();
    }
}

// Runs after loading has been announced: the reader is not kept waiting for it. The result is
// reported once the tables no longer hold the damaged files' records.
void lexicon::impl::verify_checksums() {
    const auto found = data->verify_checksums(cancel_requested);
    if (cancel_requested.load()) {
        return;
    }
    const bool tables_damaged =
        std::any_of(found.begin(), found.end(),
                    [](const datafiles::damaged_file& file) { return is_lexicon_file(file.name); });
    if (tables_damaged && !load_tables()) {
        return;
    }
    on_checked(found);
}

void lexicon::impl::publish_end(bool complete) {
    std::function<void()> callback;
    {
        std::lock_guard lock(end_mutex);
        finished = complete;
        if (complete) {
            callback = std::move(finished_callback);
        }
    }
    if (callback) {
        callback();
    }
    // Waiters wake only once the callback has run.
    {
        std::lock_guard lock(end_mutex);
        stopped = true;
    }
    end_signal.notify_all();
}

lexicon::lexicon(std::filesystem::path data_folder)
    : impl_(std::make_unique<impl>(std::move(data_folder), nullptr, checked_callback())) {
    impl_->loader = std::jthread([state = impl_.get()] { state->load(); });
}

lexicon::lexicon(std::shared_ptr<datafiles::data_integrity> data, checked_callback on_checked)
    : impl_(std::make_unique<impl>(data->folder(), data, std::move(on_checked))) {
    impl_->loader = std::jthread([state = impl_.get()] { state->load(); });
}

lexicon::~lexicon() {
    request_cancel();
    if (impl_->loader.joinable()) {
        impl_->loader.join();
    }
}

bool lexicon::morphology_ready() const {
    return impl_->morphology_ready.load(std::memory_order_acquire);
}

bool lexicon::loading_finished() const {
    std::lock_guard lock(impl_->end_mutex);
    return impl_->finished;
}

void lexicon::request_cancel() {
    impl_->cancel_requested.store(true);
}

void lexicon::on_loading_finished(std::function<void()> callback) {
    {
        std::lock_guard lock(impl_->end_mutex);
        if (!impl_->finished) {
            impl_->finished_callback = std::move(callback);
            return;
        }
    }
    if (callback) {
        callback();
    }
}

void lexicon::wait_until_loaded() const {
    std::unique_lock lock(impl_->end_mutex);
    impl_->end_signal.wait(lock, [this] { return impl_->stopped; });
}

double lexicon::morphology_ready_ms() const {
    return impl_->morphology_ready_ms.load();
}

double lexicon::loaded_ms() const {
    return impl_->loaded_ms.load();
}

std::size_t lexicon::morphology_size() const {
    return impl_->morphology.get()->size();
}

std::size_t lexicon::dictionary_size() const {
    return impl_->dictionary.get()->size();
}

std::size_t lexicon::frequency_size() const {
    return impl_->frequency.get()->size();
}

std::size_t lexicon::alphabetical_index_size() const {
    return impl_->index.get()->size();
}

const betaconverter& lexicon::greek_converter() const {
    return impl_->converter;
}

} // namespace veso
