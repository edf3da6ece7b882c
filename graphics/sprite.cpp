#include "graphics/sprite.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include <glm/gtc/matrix_transform.hpp>
#include <imgui.h>

#include "core/camera.h"
#include "core/debug_draw.h"
#include "core/debug_exception.h"
#include "core/engine_state.h"
#include "core/events.h"
#include "core/file_util.h"
#include "core/json_util.h"
#include "core/level_changes.h"
#include "ecs/entity_store.h"
#include "graphics/texture_cache.h"

Sprite::Sprite() {
    int w = 0, h = 0;
    texture_ = LoadTexture("debug", w, h);
    width_ = unsigned(w);
    height_ = unsigned(h);
    textureName_ = "debug";
    int cw = 0, ch = 0;
    normalTexture_ = LoadTexture("debug_nm", cw, ch);
    secondTexture_ = LoadTexture("debug_sm", cw, ch);
    BuildFrameQuad();
}

Sprite::~Sprite() { gpu::DeleteQuadArray(frameQuad_); }

std::string Sprite::ListenerName() const { return "SpriteDrawOffset" + std::to_string(owner.GetEntityID()); }

// Tools and tests may run without the engine's events; a sprite there simply
// has no editor marker.
void Sprite::Initialize() {
    if (!events::IsRegistered("EditorSelectedEntity")) return;
    events::Connect<engine::entity_handle>("EditorSelectedEntity", ListenerName(),
                                           [this](engine::entity_handle h) { OnEditorSelectedEntity(h); });
}

void Sprite::Remove() {
    if (events::IsRegistered("EditorSelectedEntity")) events::Disconnect("EditorSelectedEntity", ListenerName());
    if (offsetMarkerShown_ && events::IsRegistered("DebugDraw")) events::Disconnect("DebugDraw", ListenerName());
    offsetMarkerShown_ = false;
}

void Sprite::OnEditorSelectedEntity(engine::entity_handle selected) {
    if (!offsetMarkerShown_ && selected == owner) {
        events::Connect<>("DebugDraw", ListenerName(), [this] { DrawOffsetMarker(); });
        offsetMarkerShown_ = true;
    } else if (offsetMarkerShown_ && selected != owner) {
        events::Disconnect("DebugDraw", ListenerName());
        offsetMarkerShown_ = false;
    }
}

// The line marks the height used for depth ordering, across the whole sheet.
void Sprite::DrawOffsetMarker() {
    if (!owner.IsValid()) return;
    const glm::vec3 p = owner.GetPosition();
    const glm::vec4 previous = debug_draw::GetColor();
    debug_draw::SetColor(1.0f, 0.0f, 1.0f, 1.0f);
    const float half = float(width_) / 2.0f;
    debug_draw::Line(p.x - half, p.y + yOffset_, p.x + half, p.y + yOffset_);
    debug_draw::SetColor(previous.r, previous.g, previous.b, previous.a);
}

void Sprite::Copy(RootComponent* source) {
    auto* other = static_cast<Sprite*>(source);
    texture_ = other->texture_;
    normalTexture_ = other->normalTexture_;
    secondTexture_ = other->secondTexture_;
    textureName_ = other->textureName_;
    width_ = other->width_;
    height_ = other->height_;
    environmental_ = other->environmental_;
    clamped_ = other->clamped_;
    looping_ = other->looping_;
    // A duplicate should look like its original, so tint and depth offset come
    // along too.
    tint_ = other->tint_;
    yOffset_ = other->yOffset_;
    frameTime_ = other->frameTime_;
    elapsedTime_ = other->elapsedTime_;
    frames_ = other->frames_;
    currentFrame_ = other->currentFrame_;
    rows_ = other->rows_;
    columns_ = other->columns_;
    BuildFrameQuad();
}

void Sprite::SetTexture(const std::string& name) {
    int w = 0, h = 0;
    texture_ = LoadTexture(name, w, h);
    width_ = unsigned(w);
    height_ = unsigned(h);
    textureName_ = name;
    int cw = 0, ch = 0;
    bool loaded = false;
    uint32_t companion = LoadTexture(name + "_nm", cw, ch, &loaded);
    if (loaded) normalTexture_ = companion;
    companion = LoadTexture(name + "_sm", cw, ch, &loaded);
    if (loaded) secondTexture_ = companion;
    BuildFrameQuad();
}

Json::Value Sprite::Serialize() {
    Json::Value json;
    // The name asked for, even when its file is missing and "debug" is shown:
    // saving a level must not replace the author's texture by the fallback.
    // StaticString keys point at the literals: no key copy per member of a saved level.
    json[Json::StaticString("texture")] = textureName_;
    json[Json::StaticString("environmental")] = environmental_;
    json[Json::StaticString("clamped")] = clamped_;
    json[Json::StaticString("y_offset")] = double(yOffset_);
    json[Json::StaticString("looping")] = looping_;
    json[Json::StaticString("tint")] = WriteVec(tint_);
    json[Json::StaticString("frame_time")] = double(frameTime_);
    json[Json::StaticString("frames")] = frames_;
    json[Json::StaticString("rows")] = rows_;
    json[Json::StaticString("columns")] = columns_;
    return json;
}

namespace {
const Json::Value* FindMember(const Json::Value& object, std::string_view key) {
    return object.find(key.data(), key.data() + key.size());
}
}  // namespace

void Sprite::Deserialize(Json::Value json) {
    // Read through a const reference: each key is then one lookup, where the
    // mutable operator[] would insert a null member for every key it is asked.
    const Json::Value& data = json;
    try {
        if (!data.isObject()) throw debug::exception("Sprite: component data must be a JSON object.");
        const Json::Value* texture = FindMember(data, "texture");
        if (texture && !texture->isString()) throw debug::exception("Sprite: \"texture\" must be a string.");
        SetTexture(texture ? texture->asString() : std::string());
        if (const Json::Value* v = FindMember(data, "environmental")) environmental_ = v->asBool();
        if (const Json::Value* v = FindMember(data, "clamped")) clamped_ = v->asBool();
        if (const Json::Value* v = FindMember(data, "y_offset")) yOffset_ = v->asFloat();
        if (const Json::Value* v = FindMember(data, "looping")) looping_ = v->asBool();
        if (const Json::Value* v = FindMember(data, "tint")) tint_ = ReadVec4(*v);
        frameTime_ = data["frame_time"].asFloat();
        frames_ = data["frames"].asUInt();
        rows_ = std::max(1u, data["rows"].asUInt());
        columns_ = std::max(1u, data["columns"].asUInt());
    } catch (const Json::Exception& e) {
        throw debug::exception(std::string("Sprite: bad value in component data: ") + e.what());
    }
    BuildFrameQuad();
}

void Sprite::SetCurrentFrame(unsigned frame) {
    currentFrame_ = frame;
    BuildFrameQuad();
}

void Sprite::SetFrames(unsigned frames) {
    frames_ = frames;
    BuildFrameQuad();
}

void Sprite::SetRows(unsigned rows) {
    rows_ = std::max(1u, rows);
    BuildFrameQuad();
}

void Sprite::SetColumns(unsigned columns) {
    columns_ = std::max(1u, columns);
    BuildFrameQuad();
}

void Sprite::Animate(float dt) {
    if (frames_ <= 1 || (!looping_ && currentFrame_ == frames_)) return;
    elapsedTime_ += dt;
    if (!(elapsedTime_ >= frameTime_ && frameTime_ > 0.0001f)) return;
    // Whole frames passed, counted at once rather than one by one, so a long
    // stall (a dragged window, a breakpoint) costs no more than a normal frame.
    const double steps = std::floor(double(elapsedTime_) / double(frameTime_));
    elapsedTime_ = float(double(elapsedTime_) - steps * double(frameTime_));
    uint64_t advanced = uint64_t(currentFrame_) + uint64_t(std::min(steps, 1e15));
    while (elapsedTime_ >= frameTime_) {  // rounding may leave one frame's worth
        elapsedTime_ -= frameTime_;
        ++advanced;
    }
    if (elapsedTime_ < 0.0f) elapsedTime_ = 0.0f;
    if (looping_) {
        if (advanced > frames_) advanced = (advanced - 1) % frames_ + 1;
    } else if (advanced > frames_) {
        advanced = frames_;
    }
    currentFrame_ = unsigned(advanced);
    BuildFrameQuad();
}

void Sprite::BuildFrameQuad() {
    const unsigned f = currentFrame_ > 0 ? currentFrame_ - 1 : 0;  // frame 0 shows frame 1
    const unsigned row = f / columns_;
    const unsigned column = f % columns_;
    const unsigned cw = width_ / columns_;
    const unsigned ch = height_ / rows_;
    const float w = width_ ? float(width_) : 1.0f;
    const float h = height_ ? float(height_) : 1.0f;
    const float u0 = float(column) * float(cw) / w;
    const float u1 = float(column + 1) * float(cw) / w;
    const float vHigh = 1.0f - float(row) * float(ch) / h;
    const float vLow = 1.0f - float(row + 1) * float(ch) / h;
    frameVertices_ = {
        -0.5f, 0.0f, 0.0f, u0, vLow,  //
        0.5f,  0.0f, 0.0f, u1, vLow,  //
        0.5f,  1.0f, 0.0f, u1, vHigh, //
        0.5f,  1.0f, 0.0f, u1, vHigh, //
        -0.5f, 1.0f, 0.0f, u0, vHigh, //
        -0.5f, 0.0f, 0.0f, u0, vLow,
    };
    if (frameQuad_.vao == 0)
        frameQuad_ = gpu::CreateQuadArray(frameVertices_.data());
    else
        gpu::UpdateQuadArray(frameQuad_, frameVertices_.data());
}

glm::mat4 Sprite::ModelMatrix(glm::vec3 p) const {
    const glm::vec3 cell(float(width_) / float(columns_), float(height_) / float(rows_), 1.0f);
    glm::vec3 t = p;
    if (clamped_) {
        t = glm::vec3(std::floor(p.x), std::floor(p.y), p.z);
        // A picture of odd width centred on a whole pixel would put both edges
        // on half pixels; shifting by half a pixel lands them on whole ones.
        // What is drawn is one cell, so the cell's width decides.
        if ((width_ / columns_) % 2 == 1) t.x += 0.5f;
    }
    glm::mat4 m = glm::scale(glm::translate(glm::mat4(1.0f), t), cell);
    m[3][2] = -m[3][2] + ((p.y + yOffset_) - GetCamera().position.y) / 100000.0f;
    return m;
}

glm::mat4 Sprite::ModelMatrix() const { return ModelMatrix(owner.GetPosition()); }

void Sprite::EditInfoDisplay() {
    Animate(GetEngineState().frameTime);

    if (ImGui::Button("select texture")) {
        std::string folder = GetTextureFolder();
        if (!folder.empty() && folder.back() == '/') folder.pop_back();
        textureNames_ = ListFilesWithExtension(folder, "png");
        ImGui::OpenPopup("select texture");
    }
    bool changed = false;
    if (ImGui::BeginPopup("select texture")) {
        // A file removed since the list was read loads as "debug" (the cache's
        // fallback), while the name chosen is kept for saving.
        for (const std::string& name : textureNames_) {
            if (ImGui::MenuItem(name.c_str())) {
                SetTexture(name);
                changed = true;
            }
        }
        ImGui::EndPopup();
    }

    changed |= ImGui::Checkbox("environmental", &environmental_);
    changed |= ImGui::Checkbox("clamped", &clamped_);
    changed |= ImGui::Checkbox("looping", &looping_);
    changed |= ImGui::InputFloat("y offset", &yOffset_);
    changed |= ImGui::ColorEdit4("tint", &tint_.x);
    changed |= ImGui::SliderFloat("frame time", &frameTime_, 0.001f, 1.0f, "%.3f");

    int frames = int(frames_), rows = int(rows_), columns = int(columns_);
    if (ImGui::InputInt("frames", &frames, 1, 100)) {
        SetFrames(unsigned(std::max(0, frames)));
        changed = true;
    }
    if (ImGui::InputInt("rows", &rows, 1, 100)) {
        SetRows(unsigned(std::max(1, rows)));
        changed = true;
    }
    if (ImGui::InputInt("columns", &columns, 1, 100)) {
        SetColumns(unsigned(std::max(1, columns)));
        changed = true;
    }
    if (changed) editor::MarkLevelChanged();
}
