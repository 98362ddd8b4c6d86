#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace veso::corpus {

class reading_model;

// How likely each reading of a word form is: the occurrence index lists a token under every lemma
// of its key, each with the share this gives it, and calls the lemma with the highest share (the
// first of equal ones) the token's likeliest reading. The counts the index shows per author stay
// the frequency table's, whatever the shares.
class reading_likelihood {
public:
    virtual ~reading_likelihood() = default;
    // The share of each of the key's lemmas (the distinct lemmas of its analyses, in the
    // morphology file's order) in texts of the author (1 to 44, or 0 when the shares are the same
    // for every author); they sum to 1.
    virtual std::vector<double> lemma_shares(std::string_view key, std::u16string_view morphology,
                                             std::span<const std::u16string> lemmas,
                                             int author) const = 0;
    // Whether the shares are the same whatever the author: the index then stores one row of
    // shares per key, otherwise one for each author whose texts have the key.
    virtual bool same_for_every_author() const = 0;
};

// Every lemma of a form equally likely, for every author; the first analysis's lemma is then the
// likeliest reading.
class equal_reading_shares final : public reading_likelihood {
public:
    std::vector<double> lemma_shares(std::string_view key, std::u16string_view morphology,
                                     std::span<const std::u16string> lemmas,
                                     int author) const override;
    bool same_for_every_author() const override { return true; }
};

// The corpus's model of readings, which orders the analyses and makes the frequency table's
// counts: a lemma's share in an author's texts is the sum of its analyses' likelihoods there, so
// that the shares of an author's tokens add up to the table's count of the lemma.
class model_reading_shares final : public reading_likelihood {
public:
    explicit model_reading_shares(const reading_model& model) : model_(model) {}
    std::vector<double> lemma_shares(std::string_view key, std::u16string_view morphology,
                                     std::span<const std::u16string> lemmas,
                                     int author) const override;
    bool same_for_every_author() const override { return false; }

private:
    const reading_model& model_;
};

} // namespace veso::corpus
