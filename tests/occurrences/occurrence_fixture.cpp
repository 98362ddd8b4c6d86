#include "occurrence_fixture.h"

#include "common/data_manifest_writer.h"
#include "occurrences/occurrence_index_writer.h"

#include <fstream>

namespace veso::testing {

namespace {

std::string latin1(const std::u16string& text) {
    return std::string(text.begin(), text.end());
}

} // namespace

const std::map<std::u16string, std::vector<std::u16string>>& occurrence_fixture::morphology() {
    static const std::map<std::u16string, std::vector<std::u16string>> table{
        {u"mh=nin", {u"mh=nis"}},
        {u"a)/eide", {u"a)ei/dw"}},
        {u"qea/", {u"qea/", u"qeo/s"}},
        {u"*)axilh=os", {u"*)axileu/s"}},
        {u"pro/", {u"pro/"}},
        {u"tou=", {u"o("}},
        {u"te/lous", {u"te/los"}},
        {u"lo/gos", {u"lo/gos"}},
        {u"kai/", {u"kai/"}},
        {u"a)/llos", {u"a)/llos"}},
        {u"e)n", {u"e)n"}},
        {u"a)rxh=|", {u"a)rxh/"}},
        {u"kefa/laion", {u"kefa/laion"}},
        {u"ei)=pen", {u"ei)=pon", u"le/gw"}},
        {u"h)=n", {u"ei)mi/"}},
        {u"o(", {u"o("}},
    };
    return table;
}

int occurrence_fixture::frequency(const std::u16string& lemma, int author) {
    return author * 100 + static_cast<int>(lemma.size());
}

void occurrence_fixture::SetUp() {
    std::ofstream m(data() / "m.dat", std::ios::binary);
    std::map<std::u16string, bool> lemmas;
    for (const auto& [key, list] : morphology()) {
        m << latin1(key) << '\x02';
        for (std::size_t i = 0; i < list.size(); ++i) {
            // Two analyses of one lemma make one reading.
            m << (i ? "\x03" : "") << "N " << latin1(list[i]) << " fem nom sg\t\x03N "
              << latin1(list[i]) << " fem acc sg\t";
            lemmas[list[i]] = true;
        }
        m << '\x01';
    }
    m.close();
    std::ofstream o(data() / "o.dat", std::ios::binary);
    for (const auto& [lemma, unused] : lemmas) {
        o << latin1(lemma) << '\x02';
        for (int author = 1; author <= 44; ++author) {
            o << (author > 1 ? "," : "") << frequency(lemma, author);
        }
        o << '\x01';
    }
    o.close();

    rewrite_index(corpus::equal_reading_shares());
}

void occurrence_fixture::rewrite_index(const corpus::reading_likelihood& readings) {
    index.reset();
    nlohmann::json report;
    std::string error;
    const std::int32_t notices[] = {140};
    ASSERT_TRUE(corpus::write_occurrence_index(
        {library.root(), library.tables(), library.catalogue(), notices}, readings, report, error))
        << error;
    // As the builder does last: the manifest of every file, the index's checksum among them.
    ASSERT_TRUE(corpus::write_data_manifest(data(), error)) << error;
    auto opened = open();
    ASSERT_TRUE(opened.index) << std::string(opened.message.begin(), opened.message.end());
    index = std::move(opened.index);
}

occurrences::occurrence_index::opened occurrence_fixture::open() const {
    return occurrences::occurrence_index::open(data(), synthetic_library::fingerprint);
}

} // namespace veso::testing
