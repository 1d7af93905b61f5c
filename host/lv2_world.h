// lilv's picture of the installed LV2 plug-ins, and finding the one the user
// named: a bundle directory or a plug-in URI.
#pragma once

#include <memory>
#include <string>

#include <lilv/lilv.h>

struct LilvNodeFree {
    void operator()(LilvNode* node) const { lilv_node_free(node); }
};
struct LilvNodesFree {
    void operator()(LilvNodes* nodes) const { lilv_nodes_free(nodes); }
};
using OwnedNode = std::unique_ptr<LilvNode, LilvNodeFree>;
using OwnedNodes = std::unique_ptr<LilvNodes, LilvNodesFree>;

// A node's text: a URI, a literal or a number as written; empty for none.
std::string nodeText(const LilvNode* node);

// True for "scheme:rest" as URIs begin, which no existing file matches.
bool looksLikeUri(const std::string& text);

class Lv2World {
public:
    // Loads what LV2_PATH (else ~/.lv2, /usr/local/lib/lv2, /usr/lib/lv2)
    // holds. lilv reports faults in others' Turtle files on stderr; unless
    // `verbose`, that is kept quiet so that a failure stays one line.
    explicit Lv2World(bool verbose);
    ~Lv2World();
    Lv2World(const Lv2World&) = delete;
    Lv2World& operator=(const Lv2World&) = delete;

    LilvWorld* get() const { return world; }
    OwnedNode uri(const char* text) const { return OwnedNode(lilv_new_uri(world, text)); }

    // The one plug-in of a bundle directory, or the plug-in with a URI.
    // Throws PluginError with one line for anything else.
    const LilvPlugin* find(const std::string& where);

private:
    const LilvPlugin* findInBundle(const std::string& directory);

    LilvWorld* world = nullptr;
    bool verbose;
};
