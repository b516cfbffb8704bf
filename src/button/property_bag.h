#pragma once
// The container's persisted property set, and an in-memory one.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <variant>

#include "button/types.h"

namespace cindral::button {

using PropertyValue =
    std::variant<std::monostate, std::int64_t, bool, std::string, Font, PicturePtr>;

bool SameValue(const PropertyValue& a, const PropertyValue& b);

// The container's persisted property set.
class PropertyBag {
  public:
    virtual ~PropertyBag() = default;
    // The stored value, or `fallback` when the key is missing.
    virtual PropertyValue Read(std::string_view key, const PropertyValue& fallback) = 0;
    // Stores value; a value equal to `fallback` is left out of the set.
    virtual void Write(std::string_view key, const PropertyValue& value,
                       const PropertyValue& fallback) = 0;
};

// An in-memory set whose keys match without regard to case.
class MemoryPropertyBag : public PropertyBag {
  public:
    PropertyValue Read(std::string_view key, const PropertyValue& fallback) override;
    void Write(std::string_view key, const PropertyValue& value,
               const PropertyValue& fallback) override;
    void Set(std::string_view key, const PropertyValue& value);
    bool Has(std::string_view key) const;
    size_t Count() const { return values_.size(); }

  private:
    static std::string Fold(std::string_view key);
    std::map<std::string, PropertyValue> values_;
};

// Typed reads over a bag whose stored value may be of another numeric kind.
std::int64_t AsInt(const PropertyValue& v, std::int64_t fallback);
bool AsBool(const PropertyValue& v, bool fallback);
std::string AsString(const PropertyValue& v);

}  // namespace cindral::button
