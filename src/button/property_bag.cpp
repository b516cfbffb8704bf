#include "button/property_bag.h"

#include <cctype>

namespace cindral::button {

bool SameValue(const PropertyValue& a, const PropertyValue& b) {
    if (a.index() != b.index()) return false;
    if (const auto* pa = std::get_if<PicturePtr>(&a)) {
        return SamePicture(*pa, std::get<PicturePtr>(b));
    }
    return a == b;
}

std::string MemoryPropertyBag::Fold(std::string_view key) {
    std::string out(key);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

PropertyValue MemoryPropertyBag::Read(std::string_view key, const PropertyValue& fallback) {
    auto it = values_.find(Fold(key));
    return it == values_.end() ? fallback : it->second;
}

void MemoryPropertyBag::Write(std::string_view key, const PropertyValue& value,
                              const PropertyValue& fallback) {
    if (SameValue(value, fallback)) {
        values_.erase(Fold(key));
    } else {
        values_[Fold(key)] = value;
    }
}

void MemoryPropertyBag::Set(std::string_view key, const PropertyValue& value) {
    values_[Fold(key)] = value;
}

bool MemoryPropertyBag::Has(std::string_view key) const { return values_.count(Fold(key)) > 0; }

std::int64_t AsInt(const PropertyValue& v, std::int64_t fallback) {
    if (const auto* i = std::get_if<std::int64_t>(&v)) return *i;
    if (const auto* b = std::get_if<bool>(&v)) return *b ? -1 : 0;
    return fallback;
}

bool AsBool(const PropertyValue& v, bool fallback) {
    if (const auto* b = std::get_if<bool>(&v)) return *b;
    if (const auto* i = std::get_if<std::int64_t>(&v)) return *i != 0;
    return fallback;
}

std::string AsString(const PropertyValue& v) {
    if (const auto* s = std::get_if<std::string>(&v)) return *s;
    return {};
}

}  // namespace cindral::button
