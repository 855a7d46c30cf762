#include "assets.h"

#include "bridge.h"
#include "textures.h"
#include "trooper.h"

namespace assetgen {

std::vector<std::string> asset_names() {
    return {"white.png", "trooper.png", "bridge_wood.png", "trooper.txt", "bridge.txt"};
}

bool write_assets(const std::string& dir) {
    const std::string base = dir.empty() ? "" : dir + "/";
    bool ok = make_white().write_png(base + "white.png");
    ok = make_trooper_skin().write_png(base + "trooper.png") && ok;
    ok = make_bridge_wood().write_png(base + "bridge_wood.png") && ok;
    ok = write_model(make_trooper(), base + "trooper.txt",
                     "Player soldier: faces -x, feet at y = -120, walk loops of 119 frames") &&
         ok;
    ok = write_model(make_bridge(), base + "bridge.txt",
                     "Bridge piece: 160 units along x centred on 0, deck top at y = +40") &&
         ok;
    return ok;
}

}  // namespace assetgen
