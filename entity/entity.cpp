#include "entity/entity.h"

#include "entity/kinds.h"

Entity::Entity(float x, float y, float width, float height, int textureUnit, float tileLeft, float tileTop,
               float tileWidth, float tileHeight)
    : textureUnit(textureUnit) {
    model = translate(identity, {x, y, 0.5f});
    buildQuadVertices(width, height);
    buildTileTexCoords(tileLeft, tileTop, tileWidth, tileHeight);
    origin = {0, 0, 0, 1};
    position = model * origin;
    status = Active;
}

Mat4 Entity::getModel() const { return model; }

void Entity::buildQuadVertices(float width, float height) {
    const float hw = width * 0.5f;
    const float hh = height * 0.5f;
    vertices = {-hw, -hh, 0, hw, -hh, 0, -hw, hh, 0, hw, hh, 0};
}

void Entity::buildTileTexCoords(float tileLeft, float tileTop, float tileWidth, float tileHeight) {
    const float right = tileLeft + tileWidth;
    const float bottom = tileTop - tileHeight;
    texCoords = {tileLeft, bottom, right, bottom, tileLeft, tileTop, right, tileTop};
}

void Entity::makeTriangle(float x0, float y0, float width, float height) {
    vertices = {x0 + width * 0.5f, y0 - height, 0, x0, y0, 0, x0 + width, y0, 0};
    texCoords.assign(6, 0.0f);
}

void Entity::moveBy(float dx, float dy) {
    model = translate(model, {dx, dy, 0.0f});
    position = model * origin;
}

Mat4 Undead::getModel() const { return model * spinMatrix; }

Explosion::Explosion(float x, float y, double startTime)
    : Entity(x, y, explosionSize, explosionSize, explosionUnit, explosionFirstTile.left,
             explosionFirstTile.top, explosionFirstTile.width, explosionFirstTile.height),
      frameTimer(startTime) {}
