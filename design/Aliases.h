#pragma once

#include "numeric/Matrix.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvanta {

// An effect of a two-level design as its set of factors: bit j for factor
// j + 1, so x1·x3 is 0b101 and the mean (the identity I) is 0.
using TEffect = std::uint32_t;

// An effect with the sign it enters with: x1 = -x2·x3 is {x2·x3, -1} in the
// chain of x1.
struct TSignedEffect {
    TEffect Effect = 0;
    std::int32_t Sign = 1;
};

// What one effect cannot be told apart from.
struct TAliasChain {
    TEffect Effect = 0;
    std::vector<TSignedEffect> Aliases;
};

// The alias structure of a regular two-level design: the defining relation
// I = ±w for every word w whose column product is the same on every run, the
// resolution (the shortest word's length; none for a full factorial, which
// has no word), and the chain of every main effect and two-factor
// interaction up to three-factor interactions (E = ±E·w, since w·w = I).
struct TAliasStructure {
    std::int32_t FactorCount = 0;
    std::vector<TSignedEffect> DefiningWords;
    std::optional<std::int32_t> Resolution;
    std::vector<TAliasChain> Chains;
};

// Why a design has no alias structure.
enum class TAliasRefusal {
    None,
    NotTwoLevel,   // a coded value other than ±1 (centre runs aside)
    NotRegular,    // two-level, but its effects are partly aliased (Plackett-Burman)
    TooManyFactors // more factors than a search over their subsets can take
};

constexpr std::int32_t MaxAliasFactors = 20;

// The structure of a design whose runs all have coded values ±1; runs at
// the centre (every value 0) are left out, since they alias nothing.
std::optional<TAliasStructure> AliasStructure(const TMatrix& design,
                                              TAliasRefusal* refusal = nullptr);

// The factor numbers (from 1) of an effect, in ascending order.
std::vector<std::int32_t> EffectFactors(TEffect effect);
// "x1·x3", "I" for the mean; with a sign "-x1·x3".
std::string EffectText(TEffect effect);
std::string EffectText(const TSignedEffect& effect);
// "III", "IV", ...
std::string RomanNumeral(std::int32_t value);

} // namespace orvanta
