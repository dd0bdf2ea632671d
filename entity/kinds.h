// The catalogue of kinds: where each sprite's tile lies on which sheet, and
// how big it is. All constant-initialised, so the title Mascot can be built
// from them during static initialisation.
#pragma once

struct TileRect {
    float left, top, width, height; // top-left corner; extends right and down
};

// Texture units, one sprite sheet each.
inline constexpr int classSheetUnit = 0;
inline constexpr int undeadSheetUnit = 1;
inline constexpr int effectsSheetUnit = 2;
inline constexpr int explosionUnit = 3;
inline constexpr int digitsSheetUnit = 4; // a won game's time and place (render/won_sign.h)
inline constexpr int noTextureUnit = -100;

inline constexpr float spriteSize = 0.1f;
inline constexpr float explosionSize = 0.2f;

// Start settings: zero, never changed, read where they are used.
inline constexpr float playerStartY = 0.0f;
inline constexpr float trapStartX = 0.0f;
inline constexpr int playerTextureUnit = classSheetUnit;
inline constexpr float firstUndeadTileLeft = 0.0f;
inline constexpr float mascotTileLeft = 0.0f;
inline constexpr float explosionTileLeft = 0.0f;

inline constexpr float playerStartX = -0.9f;
inline constexpr float trapStartY = 0.68f;
inline constexpr float mascotStartX = 0.0f, mascotStartY = 0.0f;

inline constexpr TileRect playerTile{0.25f, 0.6392f, 0.12f, 0.1f};
inline constexpr TileRect mascotFirstTile{mascotTileLeft, 0.555f, 0.144f, 0.11f};
inline constexpr TileRect explosionFirstTile{explosionTileLeft, 1.0f, 0.24f, 0.25f};
inline constexpr TileRect trapNoTile{-1.0f, -1.0f, -1.0f, -1.0f};
inline constexpr TileRect shotTile{0.164f, 0.265f, 0.08f, 0.08f};
inline constexpr TileRect bombTile{0.164f, 0.155f, 0.08f, 0.08f};

inline constexpr float undeadTileWidth = 0.135f;
inline constexpr float undeadTileHeight = 0.11f;

struct TileCorner {
    float left, top;
};
// The looks a wave picks from, one rand() per Undead.
inline constexpr TileCorner undeadTileCorners[5] = {
    {firstUndeadTileLeft, 0.11f}, {0.722f, 0.1102f}, {0.86f, 0.22f}, {0.72f, 0.44f}, {0.86f, 0.11f}};
