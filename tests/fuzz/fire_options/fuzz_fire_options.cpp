// Any option string: the parser and the number reader never crash or overflow.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fire/fire_options.h"
#include "text/decimal.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string_view options(reinterpret_cast<const char*>(bytes), size);
    cindral::fire::FireParams params;
    cindral::fire::ParseFireOptions(options, params);
    cindral::text::LeadingDecimal(options);
    return 0;
}
