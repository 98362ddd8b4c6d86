#pragma once

#include "greek/wide_string.h"
#include "library/document_views.h"
#include "library/text_tables.h"
#include "platform/tree_control.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <span>
#include <thread>

namespace veso {

class mydoc;

// The catalogue pane's logic: fills a tree control with the compiled catalogue on a worker thread,
// titles the document after the selected item and loads the passage of a selected leaf.
//
// Threads: start() runs build_catalogue() on a worker, which inserts the items through
// tree_control::insert_last_child (performed on the user-interface thread by the control) and
// records each handle in its slot. A slot is written before the count of filled slots is raised
// with release order, and readers load that count with acquire order and look only below it, so
// the user-interface thread sees every slot it searches fully written while the worker goes on.
// Everything except build_catalogue() runs on the user-interface thread.
class catalogue_tree final : public catalogue_pane {
public:
    static constexpr int genre_count = 7;
    static constexpr int slot_count = 6'600;

    catalogue_tree(mydoc& document, platform::tree_control& tree);
    // The catalogue to insert (tests use small ones); by default the compiled one.
    catalogue_tree(mydoc& document, platform::tree_control& tree,
                   std::span<const catalogue_entry> entries);
    // Stops the worker between two insertions and joins it. Destroy this before the tree control;
    // the control must not block an insertion forever once its event loop has stopped.
    ~catalogue_tree() override;
    catalogue_tree(const catalogue_tree&) = delete;
    catalogue_tree& operator=(const catalogue_tree&) = delete;

    // Starts build_catalogue() on its worker thread (once).
    void start();
    // Inserts every item, genres at the root and each other item as the last child of its parent,
    // filling the slots; then asks the control to repaint once. Returns 0.
    int build_catalogue(std::stop_token stop = {});
    // Blocks until the worker has finished (tests, the command-line tool).
    void wait_until_built();
    bool built() const { return built_.load(std::memory_order_acquire); }

    // The control reports that its selection changed: titles the document with the item's path
    // and, for a leaf carrying an identifier, loads its passage.
    void on_selection_changed();

    // catalogue_pane: titles the document after the item carrying id and selects it (the control
    // then reports the change, which loads the passage). An identifier that no filled slot
    // carries (0, or one without a leaf such as 43418) changes nothing.
    void select_item_by_id(std::int32_t id) override;

    // The genre item at index (0 = Early and Epic Poetry); no_tree_item until it is inserted.
    platform::tree_item genre_item(int index) const;
    std::array<platform::tree_item, genre_count> genre_items() const;
    platform::tree_item selected_item() const { return selected_item_; }
    // Slots filled so far, and their contents (index below filled_slots()).
    int filled_slots() const { return filled_.load(std::memory_order_acquire); }
    platform::tree_item item_handle(int slot) const { return item_handles_[slot]; }
    std::int32_t item_id(int slot) const { return item_ids_[slot]; }

    // The item's label followed by ", " and each ancestor's label up to the genre.
    wide_string item_path(platform::tree_item item) const;

private:
    int slot_of_item(platform::tree_item item) const;
    int slot_of_id(std::int32_t id) const;

    mydoc& document_;
    platform::tree_control& tree_;
    std::span<const catalogue_entry> entries_;

    std::array<platform::tree_item, genre_count> genre_items_{};
    std::array<platform::tree_item, slot_count> item_handles_{};
    std::array<std::int32_t, slot_count> item_ids_{};
    std::atomic<int> genres_filled_{0};
    std::atomic<int> filled_{0};
    std::atomic<bool> built_{false};
    platform::tree_item selected_item_ = platform::no_tree_item;
    std::jthread worker_;
};

// The title of the catalogue leaf carrying id, as selecting it sets it ("Book 1, Iliad, Homer
// (c. 800 BCE),   Early and Epic Poetry"); empty when no leaf carries id.
wide_string catalogue_title_of(std::int32_t id,
                               std::span<const catalogue_entry> entries = catalogue_entries());

} // namespace veso
