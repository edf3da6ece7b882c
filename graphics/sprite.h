#pragma once
// Sprite: a textured, optionally animated and tinted picture on an entity.
//
// A sheet is one PNG cut into rows x columns equal cells. Frames are numbered
// from 1 and run left to right along a grid row, then on to the next grid row;
// grid row 0 is the bottom strip of the image, each further row lies above it.
// The picture hangs from the entity position: the position is the top centre
// of the cell and the picture extends toward +y, which is down the screen.
//
// Environmental sprites are lit in the 498 x 280 scene; the others are drawn at
// window resolution over it. Clamped sprites snap to whole pixels.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>
#include <glm/vec4.hpp>

#include "ecs/root_component.h"
#include "graphics/gpu.h"

class Sprite : public BaseComponent<Sprite> {
public:
    // Loads "debug", "debug_nm" and "debug_sm" and builds the frame quad.
    Sprite();
    ~Sprite() override;
    Sprite(const Sprite&) = delete;
    Sprite& operator=(const Sprite&) = delete;

    // Connects "SpriteDrawOffset" + entity id to "EditorSelectedEntity".
    void Initialize() override;
    // Disconnects that listener (and the offset marker's, when shown).
    void Remove() override;
    // Takes over the textures, size, flags, tint, y offset and animation state.
    void Copy(RootComponent* source) override;
    Json::Value Serialize() override;
    // Throws debug::exception when a key holds the wrong kind of value.
    void Deserialize(Json::Value json) override;
    void EditInfoDisplay() override;

    // Diffuse texture from the cache; the "_nm" and "_sm" companions replace the
    // current ones only when their own files exist.
    void SetTexture(const std::string& name);
    uint32_t GetTexture() const { return texture_; }
    const std::string& GetTextureName() const { return textureName_; }
    uint32_t GetNormalTexture() const { return normalTexture_; }
    uint32_t GetSecondTexture() const { return secondTexture_; }
    unsigned GetWidth() const { return width_; }    // whole sheet, pixels
    unsigned GetHeight() const { return height_; }

    bool GetClamped() const { return clamped_; }
    void SetClamped(bool on) { clamped_ = on; }
    bool GetEnvironmental() const { return environmental_; }
    void SetEnvironmental(bool on) { environmental_ = on; }
    bool GetLooping() const { return looping_; }
    void SetLooping(bool on) { looping_ = on; }
    float GetFrameTime() const { return frameTime_; }  // seconds per frame
    void SetFrameTime(float seconds) { frameTime_ = seconds; }
    float GetElapsedTime() const { return elapsedTime_; }  // seconds into the current frame
    void SetElapsedTime(float seconds) { elapsedTime_ = seconds; }
    glm::vec4 GetTint() const { return tint_; }
    void SetTint(glm::vec4 tint) { tint_ = tint; }
    float GetYOffset() const { return yOffset_; }  // world units, for depth ordering only
    void SetYOffset(float offset) { yOffset_ = offset; }

    // These rebuild the frame quad. Rows and columns below 1 are stored as 1.
    unsigned GetCurrentFrame() const { return currentFrame_; }  // 1-based
    void SetCurrentFrame(unsigned frame);
    unsigned GetFrames() const { return frames_; }
    void SetFrames(unsigned frames);
    unsigned GetRows() const { return rows_; }
    void SetRows(unsigned rows);
    unsigned GetColumns() const { return columns_; }
    void SetColumns(unsigned columns);

    // Advances the animation by dt seconds.
    void Animate(float dt);
    // Rewrites the frame quad for the current frame (kept on the CPU as well).
    void BuildFrameQuad();
    const std::array<float, gpu::kQuadFloats>& GetFrameVertices() const { return frameVertices_; }
    // The sprite's own frame quad is drawn only when it animates (frames > 1);
    // otherwise the shared anchored quad shows the whole sheet.
    bool UsesFrameQuad() const { return frames_ > 1; }
    uint32_t GetFrameQuadArray() const { return frameQuad_.vao; }

    // Places one cell of the sheet at `position` (the entity position). The z
    // translation becomes -z + ((y + y offset) - camera y) / 100000, so of two
    // sprites with equal z the one further down gets the larger depth value.
    glm::mat4 ModelMatrix(glm::vec3 position) const;
    glm::mat4 ModelMatrix() const;  // at the owning entity's position

    bool IsOffsetMarkerShown() const { return offsetMarkerShown_; }

private:
    std::string ListenerName() const;
    void OnEditorSelectedEntity(engine::entity_handle selected);
    void DrawOffsetMarker();

    uint32_t texture_ = 0;
    std::string textureName_;  // as asked for, written back by Serialize
    uint32_t normalTexture_ = 0;
    uint32_t secondTexture_ = 0;
    glm::vec4 tint_{1.0f, 1.0f, 1.0f, 1.0f};
    unsigned width_ = 0;
    unsigned height_ = 0;
    bool offsetMarkerShown_ = false;
    bool clamped_ = true;
    bool environmental_ = true;
    float yOffset_ = 0.0f;
    bool looping_ = true;
    float frameTime_ = 1.0f;
    float elapsedTime_ = 0.0f;
    unsigned frames_ = 1;
    unsigned currentFrame_ = 1;
    unsigned rows_ = 1;
    unsigned columns_ = 1;
    std::array<float, gpu::kQuadFloats> frameVertices_{};
    gpu::QuadArray frameQuad_;
    // The texture picker's list, read when its button is pressed.
    std::vector<std::string> textureNames_;
};
