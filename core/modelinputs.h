// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef TMODELINPUTS_H
#define TMODELINPUTS_H

#include <array>
#include <cstdint>
#include <cstring>
#include <typeinfo>

class TDeflectionModel;

// What a model's corrections hang on: its kind, its four parameters and its two ranges, for
// those who keep corrections worked out under it. Two are the same only where every number has
// the same bits, so that even the sign of a zero counts: whatever compares as the same gives
// the very same corrections.
class TModelInputs
{
public:
    TModelInputs() = default;
    explicit TModelInputs(const TDeflectionModel &model);

    // False for two made without a model.
    bool operator==(const TModelInputs &other) const;
    bool operator!=(const TModelInputs &other) const { return !(*this == other); }

    static bool Same_Bits(const double &a, const double &b)
    {
        std::uint64_t bits_a = 0;
        std::uint64_t bits_b = 0;
        std::memcpy(&bits_a, &a, sizeof(double));
        std::memcpy(&bits_b, &b, sizeof(double));
        return bits_a == bits_b;
    }

private:
    const std::type_info *kind = nullptr;
    std::array<double, 6> values{}; // parameters 1-4, range Y, range Z
};

#endif
