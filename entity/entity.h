// The entity floor, at the bottom of the house: the sprite entities and the
// vector and matrix arithmetic. It uses nothing of the game's, and no GL.
//
// Every drawn object is an Entity: a flat sprite quad (the Trap: a triangle) in
// its own space, a model matrix placing it in the world, and one tile of a
// sprite sheet. Building one needs no GL, only memory: the title Mascot is made
// before any window exists. Drawing uploads the float lists afresh each time.
#pragma once

#include "entity/transform.h"

#include <memory>
#include <vector>

enum Status : int { Active = 0, Stunned = 1, Finished = 2 };

class Entity {
  public:
    // (x, y) is the sprite's centre in the world; (tileLeft, tileTop) the top-left
    // corner of its tile in texture space, which extends tileWidth right and
    // tileHeight down.
    Entity(float x, float y, float width, float height, int textureUnit, float tileLeft, float tileTop,
           float tileWidth, float tileHeight);
    virtual Mat4 getModel() const;
    virtual ~Entity() = default;

    Entity(const Entity&) = delete;
    Entity& operator=(const Entity&) = delete;

    void buildQuadVertices(float width, float height);
    void buildTileTexCoords(float tileLeft, float tileTop, float tileWidth, float tileHeight);
    // Replaces the quad with a downward triangle whose top edge runs from
    // (x0, y0) to (x0 + width, y0) in local space.
    void makeTriangle(float x0, float y0, float width, float height);
    // The one way anything moves: keeps position equal to model's translation.
    void moveBy(float dx, float dy);

    int flag = 0;
    int textureUnit = 0;
    Mat4 model = identity;
    std::vector<float> vertices;  // x, y, z per vertex, triangle-strip order
    std::vector<float> texCoords; // u, v per vertex; u at even indices, v at odd
    Vec4 position;
    Vec4 origin{0, 0, 0, 1};
    int status = Active;
};

class Projectile : public Entity {
  public:
    using Entity::Entity;
};

class Player : public Entity {
  public:
    using Entity::Entity;
    std::unique_ptr<Projectile> projectile; // the shot in flight, if any
};

class Trap : public Entity {
  public:
    using Entity::Entity;
    std::unique_ptr<Projectile> projectile; // the bomb in flight, if any
};

enum Direction : int { Up = 0, Down = 1, Left = 2, Right = 3 };

class Undead : public Entity {
  public:
    using Entity::Entity;
    // The spin turns the sprite about its own centre and never touches model,
    // so position stays the centre while it spins.
    Mat4 getModel() const override;
    // One behaviour step in a direction: jitter and walk while active, spin
    // while stunned (game/undead_behaviour.cpp).
    void move(Direction direction);

    Mat4 spinMatrix = identity;
    double holdTime = 0.0; // clock time of the last stun
    float spinAngle = 0.0f;
    int spinAxis = 0; // 0, 1, 2: the x, y or z axis
};

class Mascot : public Entity {
  public:
    using Entity::Entity;
    double frameTimer = 0.0;
    int frameIndex = 0;
};

class Explosion : public Entity {
  public:
    Explosion(float x, float y, double startTime);
    double frameTimer = 0.0;
    int frameIndex = 0;
};
