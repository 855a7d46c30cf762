// Writes every data file the game reads from its working directory.
#ifndef ASSETGEN_ASSETS_H
#define ASSETGEN_ASSETS_H

#include <string>
#include <vector>

namespace assetgen {

// The file names (relative to the output directory) write_assets produces.
std::vector<std::string> asset_names();
// Writes all of them into `dir`; returns false if any write failed.
bool write_assets(const std::string& dir);

}  // namespace assetgen

#endif
