// Any bytes as Tamsel's registry text: parsed or refused, never a fault; what parses formats
// back to text that parses to the same store.
#include "RegFileText.h"
#include "RegistryStore.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    drophandler::RegistryStore store;
    if (!drophandler::RegFileText::parse(text, store))
        return 0;
    const std::string formatted = drophandler::RegFileText::format(store);
    drophandler::RegistryStore again;
    if (!drophandler::RegFileText::parse(formatted, again)
        || drophandler::RegFileText::format(again) != formatted)
        std::abort();
    return 0;
}
