#include "assets.h"

#include "bridge.h"
#include "state/state.h"
#include "textures.h"
#include "trooper.h"

namespace assetgen {

std::vector<std::string> asset_names() {
    return {kWhiteTexture, "trooper.png", "bridge_wood.png", kPlayerModel, kBridgeModel};
}

bool write_assets(const std::string& dir) {
    const std::string base = dir.empty() ? "" : dir + "/";
    bool ok = make_white().write_png(base + kWhiteTexture);
    ok = make_trooper_skin().write_png(base + "trooper.png") && ok;
    ok = make_bridge_wood().write_png(base + "bridge_wood.png") && ok;
    ok = write_model(make_trooper(), base + kPlayerModel,
                     "Player soldier: faces -x, feet at y = -120, walk loops of 119 frames") &&
         ok;
    ok = write_model(make_bridge(), base + kBridgeModel,
                     "Bridge piece: 160 units along x centred on 0, deck top at y = +40") &&
         ok;
    return ok;
}

}  // namespace assetgen
