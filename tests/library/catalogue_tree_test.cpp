#include "library/catalogue_tree.h"
#include "library/coverage.h"
#include "library/mydoc.h"
#include "library_fakes.h"
#include "synthetic_library.h"

#include <chrono>
#include <future>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <thread>
#include <utility>

namespace veso::testing {
namespace {

constexpr char16_t iliad_book_1[] = u"Book 1, Iliad, Homer (c. 800 BCE),   Early and Epic Poetry";

class CatalogueTest : public ::testing::Test {
protected:
    CatalogueTest()
        : doc(std::make_unique<mydoc>(ui, nullptr, library.root())),
          tree(std::make_unique<catalogue_tree>(*doc, control, library.catalogue())) {
        doc->use_tables(library.tables());
        doc->attach(tree.get(), nullptr, &frame);
        control.on_select = [this] { tree->on_selection_changed(); };
    }

    platform::tree_item slot_with_label(std::u16string_view label) const {
        for (int slot = 0; slot < tree->filled_slots(); ++slot) {
            if (control.label_of(tree->item_handle(slot)) == label) {
                return tree->item_handle(slot);
            }
        }
        return platform::no_tree_item;
    }

    synthetic_library library;
    fake_ui_services ui;
    fake_frame frame;
    fake_tree_control control;
    std::unique_ptr<mydoc> doc;
    std::unique_ptr<catalogue_tree> tree;
};

TEST_F(CatalogueTest, BuildFillsGenresAndSlotsInTreeOrder) {
    EXPECT_EQ(tree->build_catalogue(), 0);
    EXPECT_EQ(control.size(), library.catalogue().size());
    EXPECT_EQ(control.updates(), 1);
    const auto genres = tree->genre_items();
    EXPECT_EQ(control.label_of(genres[0]), u"  Early and Epic Poetry");
    EXPECT_EQ(control.label_of(genres[2]), u"  Religion");
    EXPECT_EQ(genres[3], platform::no_tree_item);
    EXPECT_EQ(tree->filled_slots(), static_cast<int>(library.catalogue().size()) - 3);
    EXPECT_EQ(control.label_of(tree->item_handle(0)), u"Homer (c. 800 BCE)");
    EXPECT_EQ(tree->item_id(0), 0);
    EXPECT_EQ(tree->item_id(2), 200);
    EXPECT_EQ(control.parent_of(tree->item_handle(2)), tree->item_handle(1));
}

TEST_F(CatalogueTest, SelectingLeafTitlesAndLoadsItsPassage) {
    tree->build_catalogue();
    control.select(slot_with_label(u"Book 1"));
    EXPECT_EQ(doc->title(), iliad_book_1);
    EXPECT_EQ(frame.titles.back(), iliad_book_1);
    EXPECT_EQ(doc->current_id, 200);
    EXPECT_EQ(tree->selected_item(), slot_with_label(u"Book 1"));

    control.select(slot_with_label(u"Agamemnon"));
    EXPECT_EQ(doc->title(), u"Agamemnon, Aeschylus (c. 525-456 BCE),   Early and Epic Poetry");
    EXPECT_EQ(doc->current_id, 100);
}

TEST_F(CatalogueTest, SelectingInnerItemOrGenreOnlyTitles) {
    tree->build_catalogue();
    control.select(slot_with_label(u"Iliad"));
    EXPECT_EQ(doc->title(), u"Iliad, Homer (c. 800 BCE),   Early and Epic Poetry");
    control.select(tree->genre_item(1));
    EXPECT_EQ(doc->title(), u"  History");
    EXPECT_EQ(doc->text_length, 0);
}

TEST_F(CatalogueTest, SelectItemByIdSelectsTitlesAndLoads) {
    tree->build_catalogue();
    tree->select_item_by_id(201);
    EXPECT_EQ(doc->title(), u"Book 2, Iliad, Homer (c. 800 BCE),   Early and Epic Poetry");
    EXPECT_EQ(control.label_of(control.selected()), u"Book 2");
    EXPECT_EQ(doc->current_id, 201);
    EXPECT_EQ(doc->section, 1);
}

TEST_F(CatalogueTest, IdentifierWithoutItemChangesNothing) {
    tree->build_catalogue();
    tree->select_item_by_id(201);
    const auto titles = frame.titles.size();
    tree->select_item_by_id(302);
    tree->select_item_by_id(0);
    tree->select_item_by_id(-1);
    EXPECT_EQ(frame.titles.size(), titles);
    EXPECT_EQ(doc->current_id, 201);
    EXPECT_EQ(control.label_of(control.selected()), u"Book 2");
}

TEST_F(CatalogueTest, PagingAcrossSectionsMovesTreeSelection) {
    tree->build_catalogue();
    tree->select_item_by_id(301);
    doc->next_page_start = doc->section_end;
    doc->page_forward();
    EXPECT_EQ(doc->current_id, 303);
    EXPECT_EQ(doc->title(), u"3, Book 1, Herodotus (c. 484-425 BCE),   History");
    EXPECT_EQ(doc->page_start, library.prose_section_start(2));

    tree->select_item_by_id(600);
    doc->next_page_start = doc->section_end;
    doc->page_forward();
    doc->next_page_start = doc->section_end;
    doc->page_forward();
    EXPECT_EQ(doc->current_id, 603);
    EXPECT_EQ(doc->title(), u"3, Gen, LXX,   Religion");
}

TEST_F(CatalogueTest, SelectionBeforeItemIsBuiltLoadsNothing) {
    tree->select_item_by_id(200);
    EXPECT_EQ(frame.titles.size(), 0u);
    EXPECT_EQ(tree->genre_item(0), platform::no_tree_item);
}

TEST_F(CatalogueTest, WorkerBuildsWhileSelectionsRun) {
    tree->start();
    bool loaded = false;
    while (!loaded) {
        const bool finished = tree->built();
        tree->select_item_by_id(603);
        (void)tree->genre_items();
        loaded = doc->current_id == 603;
        ASSERT_FALSE(finished && !loaded);
    }
    tree->wait_until_built();
    EXPECT_EQ(control.size(), library.catalogue().size());
    EXPECT_EQ(doc->title(), u"3, Gen, LXX,   Religion");
}

TEST_F(CatalogueTest, DestroyingStopsUnfinishedWorker) {
    // The worker dawdles after its first insertion, long enough for the destruction begun
    // meanwhile to ask it to stop before its second.
    std::promise<void> first_inserted;
    control.after_insert = [&, first = true]() mutable {
        if (std::exchange(first, false)) {
            first_inserted.set_value();
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
        }
    };
    tree->start();
    first_inserted.get_future().wait();
    tree.reset();
    EXPECT_EQ(control.size(), 1u);
    EXPECT_EQ(control.updates(), 1);
}

TEST(CatalogueTitle, FollowsAncestorsOfTheLeaf) {
    synthetic_library library;
    EXPECT_EQ(catalogue_title_of(200, library.catalogue()), iliad_book_1);
    EXPECT_EQ(catalogue_title_of(603, library.catalogue()), u"3, Gen, LXX,   Religion");
    EXPECT_EQ(catalogue_title_of(302, library.catalogue()), u"");
    EXPECT_EQ(catalogue_title_of(0, library.catalogue()), u"");
}

TEST_F(CatalogueTest, CoverageListsLeavesWithoutGreekText) {
    const auto leaves = leaves_without_text(*doc, library.catalogue());
    ASSERT_TRUE(leaves);
    ASSERT_EQ(leaves->size(), 2u);
    EXPECT_EQ((*leaves)[0].id, 140);
    EXPECT_EQ((*leaves)[0].title,
              u"Lost play, Aeschylus (c. 525-456 BCE),   Early and Epic Poetry");
    EXPECT_EQ((*leaves)[1].id, 999);

    library.remove_file("t.dat");
    EXPECT_FALSE(leaves_without_text(*doc, library.catalogue()));
}

// The compiled catalogue: its shape and the paths the reader sees.
TEST(CompiledCatalogue, HasEveryItemAndDistinctLeafIdentifiers) {
    const auto entries = catalogue_entries();
    EXPECT_EQ(entries.size(), 6480u);
    std::array<int, 7> per_depth{};
    std::set<std::int32_t> ids;
    int leaves = 0;
    for (const auto& e : entries) {
        ASSERT_GE(e.depth, 1);
        ASSERT_LE(e.depth, 6);
        ++per_depth[e.depth];
        if (e.id != 0) {
            ++leaves;
            ids.insert(e.id);
        }
    }
    EXPECT_EQ(per_depth[1], 7);
    EXPECT_EQ(per_depth[2], 34);
    EXPECT_EQ(per_depth[3], 614);
    EXPECT_EQ(per_depth[4], 1934);
    EXPECT_EQ(per_depth[5], 3762);
    EXPECT_EQ(per_depth[6], 129);
    EXPECT_EQ(leaves, 5860);
    EXPECT_EQ(ids.size(), 5860u);

    EXPECT_EQ(catalogue_title_of(40519), iliad_book_1);
    EXPECT_EQ(catalogue_title_of(40520),
              u"Book 2, Iliad, Homer (c. 800 BCE),   Early and Epic Poetry");
    EXPECT_EQ(catalogue_title_of(40043), u"Agamemnon, Aeschylus (c. 525-456 BCE),   Drama");
    EXPECT_EQ(catalogue_title_of(50104), u"1, Gen, LXX,   Religion");
    EXPECT_EQ(catalogue_title_of(43418), u"");
}

TEST(CompiledCatalogue, FillsSlotsOfTheTree) {
    fake_ui_services ui;
    fake_tree_control control;
    auto doc = std::make_unique<mydoc>(ui, nullptr, std::filesystem::temp_directory_path());
    catalogue_tree tree(*doc, control);
    tree.build_catalogue();
    EXPECT_EQ(control.size(), 6480u);
    EXPECT_EQ(tree.filled_slots(), 6473);
    for (int g = 0; g < catalogue_tree::genre_count; ++g) {
        EXPECT_NE(tree.genre_item(g), platform::no_tree_item);
    }
    EXPECT_EQ(control.label_of(tree.genre_item(6)), u"  Religion");
}

} // namespace
} // namespace veso::testing
