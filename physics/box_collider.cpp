#include "physics/box_collider.h"

#include <cmath>

#include <imgui.h>

#include "core/debug_draw.h"
#include "core/level_changes.h"
#include "ecs/entity_store.h"
#include "physics/json_number.h"
#include "physics/ray.h"

glm::vec2 RotateDegrees(glm::vec2 v, float degrees) {
    const float r = degrees * 3.14f / 180.0f;
    const float c = std::cos(r), s = std::sin(r);
    return {v.x * c - v.y * s, v.x * s + v.y * c};
}

bool BoxCollider::OwnerHasRay() const { return owner.IsValid() && owner.Has<Ray>(); }

glm::vec2 BoxCollider::GetCenter() const {
    // A box not yet attached to an entity sits at the origin plus its offset.
    if (!owner.IsValid()) return centerOffset;
    const glm::vec3& p = owner.GetPosition();
    return glm::vec2(p.x, p.y) + centerOffset;
}

void BoxCollider::ComputeCorners(glm::vec2 c, glm::vec2 out[4]) const {
    const glm::vec2 hu = widthVector / 2.0f, hv = heightVector / 2.0f;
    out[0] = c + hu + hv;
    out[1] = c - hu + hv;
    out[2] = c - hu - hv;
    out[3] = c + hu - hv;
}

void BoxCollider::RecomputeCorners() {
    ComputeCorners(GetCenter(), corners);
    cornerCount = 4;
}

void BoxCollider::RecomputeAxes() {
    // Edge directions, each kept once (an opposite edge gives the same axis).
    // A zero-length edge (a box of width or height 0) has no direction and adds
    // no axis, rather than a NaN one.
    int count = 0;
    for (int i = 0; i < 4; ++i) {
        glm::vec2 edge = corners[i] - corners[(i + 1) % 4];
        float len = std::sqrt(edge.x * edge.x + edge.y * edge.y);
        if (!(len > 0.0f) || !std::isfinite(len)) continue;
        glm::vec2 axis = edge / len;
        bool known = false;
        for (int k = 0; k < count && !known; ++k) {
            glm::vec2 d = axes[k] - axis, o = axes[k] + axis;
            known = (std::fabs(d.x) <= 2e-5f && std::fabs(d.y) <= 2e-5f) ||
                    (std::fabs(o.x) <= 2e-5f && std::fabs(o.y) <= 2e-5f);
        }
        if (!known) axes[count++] = axis;
    }
    axisCount = count;
}

void BoxCollider::ReadGeometry() {
    if (isStatic) return;
    RecomputeCorners();
    RecomputeAxes();
}

glm::vec2 BoxCollider::GetCorner(int i) {
    if (!isStatic) RecomputeCorners();
    return corners[i & (kMaxPoints - 1)];
}

glm::vec2 BoxCollider::GetAxis(int i) {
    ReadGeometry();
    return axes[i & (kMaxPoints - 1)];
}

void BoxCollider::SetWidthVector(glm::vec2 v) {
    widthVector = v;
    width = std::sqrt(v.x * v.x + v.y * v.y);
    if (OwnerHasRay()) widthVector = RotateDegrees(widthVector, angle);
}

void BoxCollider::SetHeightVector(glm::vec2 v) {
    heightVector = v;
    height = std::sqrt(v.x * v.x + v.y * v.y);
    if (OwnerHasRay()) heightVector = RotateDegrees(heightVector, angle);
}

void BoxCollider::Copy(RootComponent* source) {
    auto* other = static_cast<BoxCollider*>(source);
    for (int i = 0; i < kMaxPoints; ++i) {
        corners[i] = other->corners[i];
        axes[i] = other->axes[i];
    }
    centerOffset = other->centerOffset;
    widthVector = other->widthVector;
    heightVector = other->heightVector;
    width = other->width;
    height = other->height;
    axisCount = other->axisCount;
    cornerCount = other->cornerCount;
    angle = other->angle;
    ghost = other->ghost;
    isStatic = other->isStatic;
}

Json::Value BoxCollider::Serialize() {
    Json::Value json(Json::objectValue);
    // StaticString keys point at the literals: no key copy per member of a saved level.
    json[Json::StaticString("Box Angle")] = double(angle);
    json[Json::StaticString("Box Width")] = double(width);
    json[Json::StaticString("Box Height")] = double(height);
    json[Json::StaticString("Box Center OffsetX")] = double(centerOffset.x);
    json[Json::StaticString("Box Center OffsetY")] = double(centerOffset.y);
    json[Json::StaticString("Box ghost")] = ghost;
    json[Json::StaticString("Box Static")] = isStatic;
    return json;
}

void BoxCollider::Deserialize(Json::Value json) {
    angle = ReadFiniteFloat(json, "Box Angle", "BoxCollider");
    width = ReadFiniteFloat(json, "Box Width", "BoxCollider");
    height = ReadFiniteFloat(json, "Box Height", "BoxCollider");
    centerOffset.x = ReadFiniteFloat(json, "Box Center OffsetX", "BoxCollider");
    centerOffset.y = ReadFiniteFloat(json, "Box Center OffsetY", "BoxCollider");
    ghost = ReadBool(json, "Box ghost");
    isStatic = ReadBool(json, "Box Static");

    // Negative sizes from a level mean the same box mirrored: keep the length.
    const bool rotate = OwnerHasRay();
    width = std::fabs(width);
    widthVector = {width, 0.0f};
    if (rotate) widthVector = RotateDegrees(widthVector, angle);
    height = std::fabs(height);
    heightVector = {0.0f, height};
    if (rotate) heightVector = RotateDegrees(heightVector, angle);

    RecomputeCorners();
    RecomputeAxes();
}

void BoxCollider::EditInfoDisplay() {
    bool changed = ImGui::InputFloat2("Center Offset", &centerOffset.x);
    changed |= ImGui::InputFloat("Width", &width, 0.0f, 0.0f);
    changed |= ImGui::InputFloat("Angle", &angle, 0.0f, 0.0f);
    changed |= ImGui::InputFloat("Height", &height, 0.0f, 0.0f);
    changed |= ImGui::Checkbox("ghost", &ghost);
    changed |= ImGui::Checkbox("Static:", &isStatic);
    if (changed) editor::MarkLevelChanged();
    // The inspector shows and edits the unrotated box.
    widthVector = {width, 0.0f};
    heightVector = {0.0f, height};
}

void BoxCollider::DebugDraw() {
    RecomputeCorners();
    const glm::vec2 c = GetCenter();
    debug_draw::SetColor(1.0f, 0.1f, 0.1f, 1.0f);
    debug_draw::Quad(glm::vec3(corners[0], 0.0f), glm::vec3(corners[1], 0.0f), glm::vec3(corners[2], 0.0f),
                     glm::vec3(corners[3], 0.0f));
    debug_draw::SetColor(0.1f, 1.0f, 0.1f, 1.0f);
    debug_draw::Line(c.x, c.y, c.x + heightVector.x, c.y + heightVector.y);
    debug_draw::SetColor(0.1f, 0.1f, 1.0f, 1.0f);
    debug_draw::Line(c.x, c.y, c.x + widthVector.x, c.y + widthVector.y);
}
