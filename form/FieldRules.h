// The rules by which the form's fields are read: the order of the fields, how
// a field's text is parsed, the ranges and the texts of the warnings.
#pragma once

#include "calc/InputLimits.h"
#include "form/FormInputs.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace eee {

inline constexpr const char* kMsgInteger = "Please enter an integer.";
inline constexpr const char* kMsgNumber = "Please enter a number.";

// Integer text: blanks, an optional sign, decimal digits, blanks. A number too
// large for 64 bits saturates (so it is reported as out of range).
std::optional<int64_t> ParseIntegerField(std::string_view text);
// Number text: blanks, a decimal number with optional sign, fraction and exponent, blanks.
std::optional<double> ParseNumberField(std::string_view text);
// C-style decimal conversion: leading blanks, optional sign, digits up to the
// first non-digit; text without leading digits reads as 0. Saturates at the 32-bit range.
int32_t LeadingInteger(std::string_view text);
// The same conversion, saturating at the 64-bit range.
int64_t LeadingInteger64(std::string_view text);
// C-style decimal conversion of a floating-point number (strtod on the start of the text).
double LeadingNumber(std::string_view text);

// Identifies one field of the form, in the order in which the form is read.
enum class FieldKind {
    DataSize,
    Updates,
    Records,
    Overhead,
    BlockOverhead,
    TotalUserDataBytes,
    TotalOverhead,
    TotalBytes,
    MaxUpdateRequirement,
    FlashCycles,
    LifeTime,
};

struct FieldId
{
    FieldKind Kind = FieldKind::LifeTime;
    int Row = 0; // data type row, 0-based; 0 for fields outside the rows

    bool operator==(const FieldId&) const = default;
};

// The texts and choices of every field the form read takes.
struct FormFields
{
    std::array<std::string, kMaxDataTypes> DataSize;
    std::array<std::string, kMaxDataTypes> Updates;
    std::array<std::string, kMaxDataTypes> Records;
    std::array<int32_t, kMaxDataTypes> Frequency {}; // 0 Total, 1 Daily
    std::array<std::string, kMaxDataTypes> Overhead;
    std::string BlockOverhead;
    std::string TotalUserDataBytes;
    std::string TotalOverhead;
    std::string TotalBytes;
    std::string MaxUpdateRequirement;
    std::string FlashCycles;
    std::string LifeTime;

    std::string& Text(FieldId id);
    const std::string& Text(FieldId id) const;

    bool operator==(const FormFields&) const = default;
};

struct FieldFailure
{
    FieldId Field;
    std::string Message;
};

// Takes the fields into the inputs and results in the form's order. Stops at
// the first failing field: fields before it keep their new values, a field that
// is not a number keeps its old value, a field out of range has been taken.
std::optional<FieldFailure> ReadFields(const FormFields& fields, CalcInputs& in, CalcResults& out);

// The lifetime as the form's field shows it once written (six significant digits) and
// reads it back: a calculation works with the lifetime the user sees.
float ShownLifeTime(float lifeTime);

// Writes the inputs and the results that the form shows into the fields.
void WriteFields(const CalcInputs& in, const CalcResults& out, FormFields& fields);

} // namespace eee
