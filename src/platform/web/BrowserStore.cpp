#include "platform/RecordStore.h"

#include <emscripten.h>

namespace {

// The records live in the site's local storage under "pakaponta/NAME". A write there replaces the
// value whole, or throws (storage full, storage refused) and leaves the old one.
// clang-format off
// The length in bytes of the record's UTF-8 form; -1 when there is none, -2 when the storage
// cannot be read.
EM_JS(int, pakaponta_store_length, (const char* name), {
    try {
        var value = window.localStorage.getItem("pakaponta/" + UTF8ToString(name));
        return value === null ? -1 : lengthBytesUTF8(value);
    } catch (e) {
        return -2;
    }
});

EM_JS(void, pakaponta_store_copy, (const char* name, char* buffer, int size), {
    var value = window.localStorage.getItem("pakaponta/" + UTF8ToString(name)) || "";
    stringToUTF8(value, buffer, size);
});

EM_JS(int, pakaponta_store_save, (const char* name, const char* value), {
    try {
        window.localStorage.setItem("pakaponta/" + UTF8ToString(name), UTF8ToString(value));
        return 1;
    } catch (e) {
        return 0;
    }
});

EM_JS(int, pakaponta_store_remove, (const char* name), {
    try {
        window.localStorage.removeItem("pakaponta/" + UTF8ToString(name));
        return 1;
    } catch (e) {
        return 0;
    }
});

EM_JS(int, pakaponta_store_exists, (const char* name), {
    try {
        return window.localStorage.getItem("pakaponta/" + UTF8ToString(name)) !== null ? 1 : 0;
    } catch (e) {
        return 1;
    }
});
// clang-format on

// Kept text is UTF-8 that the page stores as a string; a record with bytes that are no UTF-8 is
// damaged anyway and reads back changed, which its checksum tells.
class BrowserStore : public RecordStore {
public:
    std::string Where(const std::string& name) const override
    {
        return "the page's storage pakaponta/" + name;
    }

    Read Load(const std::string& name) override
    {
        Read read;
        const int length = pakaponta_store_length(name.c_str());
        read.exists = length != -1;
        read.unreadable = length == -2;
        if (length > 0) {
            std::string buffer(static_cast<size_t>(length) + 1, '\0');
            pakaponta_store_copy(name.c_str(), buffer.data(), length + 1);
            buffer.resize(static_cast<size_t>(length));
            read.bytes = std::move(buffer);
        }
        return read;
    }

    bool Save(const std::string& name, std::string_view bytes, std::string& error) override
    {
        if (pakaponta_store_save(name.c_str(), std::string(bytes).c_str()) != 0)
            return true;
        error = "the browser refused to store it";
        return false;
    }

    bool Remove(const std::string& name) override { return pakaponta_store_remove(name.c_str()) != 0; }

    // Storage has no rename: the record is copied to the new name, and only then removed.
    std::string SetAside(const std::string& name) override
    {
        const Read read = Load(name);
        for (int n = 1; n < 1000; ++n) {
            const std::string aside = name + ".bad" + (n > 1 ? "-" + std::to_string(n) : "");
            if (pakaponta_store_exists(aside.c_str()) != 0)
                continue;
            std::string error;
            if (read.unreadable || !Save(aside, read.bytes, error) || !Remove(name))
                return "";
            return aside;
        }
        return "";
    }
};

} // namespace

std::unique_ptr<RecordStore> OpenPlayerStore()
{
    return std::make_unique<BrowserStore>();
}
