#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

// Where the player's records live between runs: a folder on the desktop, the browser's storage on
// the page. Records are small named byte strings; every write replaces the old one whole.
class RecordStore {
public:
    virtual ~RecordStore() = default;

    // What the messages name: the folder, or the page's storage.
    virtual std::string Where(const std::string& name) const = 0;

    struct Read {
        // False when there is no such record at all.
        bool exists = false;
        // Set when the record exists but cannot be read (a folder in its place, no permission).
        bool unreadable = false;
        std::string bytes;
    };
    virtual Read Load(const std::string& name) = 0;
    // Atomic: after a crash at any instant the store holds the old record or the new one. False
    // (with the reason in error) when it could not be written.
    virtual bool Save(const std::string& name, std::string_view bytes, std::string& error) = 0;
    // True when the record is gone afterwards.
    virtual bool Remove(const std::string& name) = 0;
    // Moves the record to a new name beside it, never over another record; returns that name, or
    // "" when it could not be moved.
    virtual std::string SetAside(const std::string& name) = 0;
};

// The store of the player who plays in the window or on the page: $XDG_DATA_HOME/pakaponta (or
// ~/.local/share/pakaponta), or the browser's storage for the site. Null where there is none.
std::unique_ptr<RecordStore> OpenPlayerStore();
