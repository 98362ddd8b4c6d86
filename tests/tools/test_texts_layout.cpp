#include "texts/generated_tables.h"
#include "texts/text_checks.h"
#include "texts/text_layout.h"

#include <gtest/gtest.h>

namespace veso::corpus {
namespace {

built_work work(text_file file, work_kind kind, std::int32_t author, std::int32_t code,
                std::vector<std::int32_t> ids, std::vector<std::u16string> texts) {
    built_work w;
    w.file = file;
    w.kind = kind;
    w.author_number = author;
    w.work_code = code;
    w.ids = std::move(ids);
    for (auto& t : texts) {
        w.sections.push_back({std::move(t), false});
    }
    return w;
}

// A small library: a single passage, Xenophon's Agesilaus (author 31, code 32), the New
// Testament (author 44, code 32, the table for any other author) and two Septuagint chapters,
// one of them missing.
std::vector<std::pair<std::size_t, author_texts>> small_library() {
    std::vector<std::pair<std::size_t, author_texts>> authors(3);
    authors[0] = {0, {{u"Aeschylus", 0, {{u"Agamemnon", 40043, {}}}}, {}}};
    authors[0].second.works.push_back(
        work(text_file::main, work_kind::single, 1, 0, {40043}, {u"α\r"}));
    authors[1] = {
        0,
        {{u"Xenophon", 0, {{u"Agesilaus", 0, {{u"Part 1", 45917, {}}, {u"Part 2", 45918, {}}}}}},
         {}}};
    authors[1].second.works.push_back(
        work(text_file::main, work_kind::sectioned, 31, 32, {45917, 45918}, {u"β\r", u"γγ\r"}));
    authors[2] = {
        1,
        {{u"Bible",
          0,
          {{u"Mt", 0, {{u"1", 47461, {}}}}, {u"Gen", 0, {{u"1", 50104, {}}, {u"2", 50105, {}}}}}},
         {}}};
    authors[2].second.works.push_back(
        work(text_file::new_testament, work_kind::sectioned, 44, 32, {47461}, {u"δδδ\r"}));
    authors[2].second.works.push_back(
        work(text_file::septuagint, work_kind::chapter, 44, 40, {50104}, {u"εε\r"}));
    auto missing = work(text_file::septuagint, work_kind::chapter, 44, 40, {50105}, {});
    missing.sections.push_back({missing_notice(u"Gen 2"), true});
    authors[2].second.works.push_back(std::move(missing));
    return authors;
}

TEST(LayOut, PlacesWorksAndDerivesRowsTablesAndCatalogue) {
    const auto authors = small_library();
    const auto laid = lay_out({u"  Drama", u"  Religion"}, authors);
    EXPECT_EQ(laid.files[0], u"α\rβ\rγγ\r");
    EXPECT_EQ(laid.files[2], u"δδδ\r");
    // The Septuagint file puts its first chapter at byte 8.
    EXPECT_EQ(laid.files[3].substr(0, septuagint_lead_units), u"\uFEFF\r\r\r");
    ASSERT_EQ(laid.rows.size(), 6u);
    EXPECT_EQ(laid.rows[0].id, 40043);
    EXPECT_EQ(laid.rows[0].byte_length, 4);
    const row_data& part2 = laid.rows[2];
    EXPECT_EQ(part2.id, 45918);
    EXPECT_EQ(part2.file_offset, 4);
    EXPECT_EQ(part2.byte_length, 10);
    EXPECT_EQ(part2.section, 1);
    EXPECT_EQ(part2.section_count, 1);
    const row_data& genesis1 = laid.rows[4];
    EXPECT_EQ(genesis1.file_offset, 8);
    EXPECT_EQ(laid.last_septuagint_offset, 14);
    EXPECT_EQ(laid.new_testament_byte_length, 8);
    EXPECT_EQ(laid.main_file_length, 14);
    // Xenophon's work code 32 takes its own table; the New Testament the table for any author.
    ASSERT_EQ(laid.tables.size(), table_keys().size());
    EXPECT_EQ(laid.tables[2].starts, (std::vector<std::int32_t>{0, 2}));
    EXPECT_EQ(laid.tables.back().starts, (std::vector<std::int32_t>{0}));
    // Catalogue in tree order with depths; items with children carry no identifier.
    ASSERT_EQ(laid.catalogue.size(), 14u);
    EXPECT_EQ(laid.catalogue[0].label, u"  Drama");
    EXPECT_EQ(laid.catalogue[3].depth, 2);
    EXPECT_EQ(laid.catalogue[4].depth, 3);
    EXPECT_EQ(laid.catalogue[4].id, 0);
    ASSERT_EQ(laid.missing.size(), 1u);
    EXPECT_EQ(laid.missing[0].id, 50105);
    EXPECT_EQ(laid.missing[0].title, u"2, Gen, Bible,   Religion");
}

TEST(CheckTexts, NamesEveryBrokenRule) {
    auto authors = small_library();
    authors[0].second.works[0].sections[0].text = std::u16string(4'100'000, u'α') + u"\r";
    authors[1].second.works[0].sections[1].text = u"ά\n";
    const auto laid = lay_out({u"  Drama", u"  Religion"}, authors);
    const auto failures = check_texts(laid, {});
    auto mentions = [&](std::string_view what) {
        return std::any_of(failures.begin(), failures.end(),
                           [&](const std::string& f) { return f.find(what) != std::string::npos; });
    };
    EXPECT_TRUE(mentions("6480"));
    EXPECT_TRUE(mentions("5867 rows") || mentions("expected 5867"));
    EXPECT_TRUE(mentions("does not fit the 2,000,000-unit text buffer"));
    EXPECT_TRUE(mentions("t.dat: unit"));
    EXPECT_TRUE(mentions("row 50105") == false);
    EXPECT_TRUE(mentions("Septuagint rows end before"));
}

TEST(GeneratedTables, FingerprintFollowsTheDataAndSourcesCarryTheHeader) {
    auto authors = small_library();
    const auto laid = lay_out({u"  Drama", u"  Religion"}, authors);
    const std::string fingerprint = tables_fingerprint(laid);
    EXPECT_EQ(fingerprint.size(), 16u);
    EXPECT_EQ(fingerprint, tables_fingerprint(lay_out({u"  Drama", u"  Religion"}, authors)));
    authors[1].second.works[0].sections[1].text += u"ζ\r";
    EXPECT_NE(fingerprint, tables_fingerprint(lay_out({u"  Drama", u"  Religion"}, authors)));

    const auto sources = generated_sources(laid, fingerprint);
    ASSERT_EQ(sources.size(), 2u);
    for (const auto& [name, text] : sources) {
        EXPECT_EQ(text.rfind(generated_header, 0), 0u) << name;
    }
    const std::string& tables = sources.at("text_tables_generated.cpp");
    EXPECT_NE(tables.find("{45918, {31, 32, 4, 10, 1, 1}}"), std::string::npos);
    EXPECT_NE(tables.find("tables_fingerprint = \"" + fingerprint + "\""), std::string::npos);
    // Labels are written as ASCII with escapes.
    EXPECT_NE(sources.at("catalogue_generated.cpp").find("u\"  Drama\""), std::string::npos);
    const std::string coverage = coverage_json(laid, fingerprint);
    EXPECT_NE(coverage.find("50105"), std::string::npos);
}

} // namespace
} // namespace veso::corpus
