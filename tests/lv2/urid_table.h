// A host's urid:map: every URI gets the next number, the same one each time.
#pragma once

#include <lv2/urid/urid.h>

#include <string>
#include <vector>

class UridTable {
public:
    UridTable() : feature{this, &UridTable::mapUri} {}
    UridTable(const UridTable&) = delete;
    UridTable& operator=(const UridTable&) = delete;

    LV2_URID map(const std::string& uri) {
        for (std::size_t i = 0; i < uris.size(); ++i) {
            if (uris[i] == uri) {
                return static_cast<LV2_URID>(i + 1);
            }
        }
        uris.push_back(uri);
        return static_cast<LV2_URID>(uris.size());
    }
    LV2_URID_Map* mapFeature() { return &feature; }

private:
    static LV2_URID mapUri(LV2_URID_Map_Handle handle, const char* uri) {
        return static_cast<UridTable*>(handle)->map(uri);
    }

    std::vector<std::string> uris;
    LV2_URID_Map feature;
};
