#pragma once

#include "platform/RecordStore.h"

// Records as files in one folder, created when first written. A write goes to a temporary file
// that is flushed to the disk and then renamed over the record.
class FolderStore : public RecordStore {
public:
    explicit FolderStore(std::string folder);

    std::string Where(const std::string& name) const override;
    Read Load(const std::string& name) override;
    bool Save(const std::string& name, std::string_view bytes, std::string& error) override;
    bool Remove(const std::string& name) override;
    std::string SetAside(const std::string& name) override;

private:
    std::string Path(const std::string& name) const;

    std::string folder_;
};
