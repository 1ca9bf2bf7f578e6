#include "design/Aliases.h"

#include <algorithm>
#include <bit>
#include <set>

namespace orvanta {

namespace {

constexpr std::int32_t LongestAlias = 3;

// The columns of the non-centre runs as bit sets, a set bit for -1; false
// for a value other than ±1 (or a run only partly at the centre).
bool SignColumns(const TMatrix& design, std::vector<std::vector<std::uint64_t>>& columns,
                 std::int32_t& runs) {
    const std::int32_t k = design.ColCount();
    columns.assign(static_cast<std::size_t>(k), {});
    runs = 0;
    for (std::int32_t i = 0; i < design.RowCount(); ++i) {
        const double* x = design.Row(i);
        if (std::all_of(x, x + k, [](double v) { return v == 0.0; }))
            continue;
        for (std::int32_t j = 0; j < k; ++j) {
            if (x[j] != 1.0 && x[j] != -1.0)
                return false;
            auto& bits = columns[static_cast<std::size_t>(j)];
            bits.resize(static_cast<std::size_t>(runs / 64 + 1), 0);
            if (x[j] < 0.0)
                bits[static_cast<std::size_t>(runs / 64)] |= std::uint64_t{1} << (runs % 64);
        }
        ++runs;
    }
    return runs > 0;
}

// The product column of every subset of factors, in Gray-code order (one
// factor in or out per step); the constant ones are the defining words.
std::vector<TSignedEffect> DefiningWords(const std::vector<std::vector<std::uint64_t>>& columns,
                                         std::int32_t runs) {
    const auto k = static_cast<std::uint32_t>(columns.size());
    const std::size_t words = columns.front().size();
    std::vector<std::uint64_t> full(words, ~std::uint64_t{0});
    if (runs % 64 != 0)
        full.back() = (std::uint64_t{1} << (runs % 64)) - 1;
    std::vector<std::uint64_t> product(words, 0);
    std::vector<TSignedEffect> found;
    TEffect subset = 0;
    for (std::uint32_t g = 1; g < (1U << k); ++g) {
        const auto factor = static_cast<std::size_t>(std::countr_zero(g));
        subset ^= TEffect{1} << factor;
        for (std::size_t w = 0; w < words; ++w)
            product[w] ^= columns[factor][w];
        if (product == full)
            found.push_back({subset, -1});
        else if (std::all_of(product.begin(), product.end(), [](std::uint64_t b) { return !b; }))
            found.push_back({subset, 1});
    }
    return found;
}

bool EffectOrder(TEffect a, TEffect b) {
    const int la = std::popcount(a), lb = std::popcount(b);
    if (la != lb)
        return la < lb;
    return EffectFactors(a) < EffectFactors(b);
}

std::size_t DistinctRuns(const std::vector<std::vector<std::uint64_t>>& columns,
                         std::int32_t runs) {
    std::set<std::uint32_t> distinct;
    for (std::int32_t r = 0; r < runs; ++r) {
        std::uint32_t signs = 0;
        for (std::size_t j = 0; j < columns.size(); ++j)
            if ((columns[j][static_cast<std::size_t>(r / 64)] >> (r % 64)) & 1U)
                signs |= 1U << j;
        distinct.insert(signs);
    }
    return distinct.size();
}

TAliasChain ChainOf(TEffect effect, const std::vector<TSignedEffect>& words) {
    TAliasChain chain{effect, {}};
    for (const TSignedEffect& w : words)
        if (std::popcount(effect ^ w.Effect) <= LongestAlias)
            chain.Aliases.push_back({effect ^ w.Effect, w.Sign});
    std::sort(chain.Aliases.begin(), chain.Aliases.end(),
              [](const TSignedEffect& a, const TSignedEffect& b) {
                  return EffectOrder(a.Effect, b.Effect);
              });
    return chain;
}

} // namespace

std::optional<TAliasStructure> AliasStructure(const TMatrix& design, TAliasRefusal* refusal) {
    const auto refuse = [refusal](TAliasRefusal why) {
        if (refusal)
            *refusal = why;
        return std::nullopt;
    };
    const std::int32_t k = design.ColCount();
    if (k > MaxAliasFactors)
        return refuse(TAliasRefusal::TooManyFactors);
    std::vector<std::vector<std::uint64_t>> columns;
    std::int32_t runs = 0;
    if (k < 1 || !SignColumns(design, columns, runs))
        return refuse(TAliasRefusal::NotTwoLevel);
    TAliasStructure out;
    out.FactorCount = k;
    out.DefiningWords = DefiningWords(columns, runs);
    // A regular fraction has 2^k / (words + 1) distinct runs; anything else
    // aliases its effects partly, which a defining relation cannot say.
    if (DistinctRuns(columns, runs) * (out.DefiningWords.size() + 1) != std::size_t{1} << k)
        return refuse(TAliasRefusal::NotRegular);
    std::sort(out.DefiningWords.begin(), out.DefiningWords.end(),
              [](const TSignedEffect& a, const TSignedEffect& b) {
                  return EffectOrder(a.Effect, b.Effect);
              });
    if (!out.DefiningWords.empty())
        out.Resolution = std::popcount(out.DefiningWords.front().Effect);
    for (std::int32_t i = 0; i < k; ++i)
        out.Chains.push_back(ChainOf(TEffect{1} << i, out.DefiningWords));
    for (std::int32_t i = 0; i < k; ++i)
        for (std::int32_t j = i + 1; j < k; ++j)
            out.Chains.push_back(ChainOf((TEffect{1} << i) | (TEffect{1} << j), out.DefiningWords));
    if (refusal)
        *refusal = TAliasRefusal::None;
    return out;
}

std::vector<std::int32_t> EffectFactors(TEffect effect) {
    std::vector<std::int32_t> factors;
    for (std::int32_t j = 0; effect >> j; ++j)
        if ((effect >> j) & 1U)
            factors.push_back(j + 1);
    return factors;
}

std::string EffectText(TEffect effect) {
    if (effect == 0)
        return "I";
    std::string text;
    for (const std::int32_t factor : EffectFactors(effect))
        text += (text.empty() ? "x" : "·x") + std::to_string(factor);
    return text;
}

std::string EffectText(const TSignedEffect& effect) {
    return (effect.Sign < 0 ? "-" : "") + EffectText(effect.Effect);
}

std::string RomanNumeral(std::int32_t value) {
    static const std::pair<std::int32_t, const char*> Digits[] = {
        {10, "X"}, {9, "IX"}, {5, "V"}, {4, "IV"}, {1, "I"}};
    std::string text;
    for (const auto& [size, digits] : Digits)
        for (; value >= size; value -= size)
            text += digits;
    return text;
}

} // namespace orvanta
