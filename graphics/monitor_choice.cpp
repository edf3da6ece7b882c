#include "graphics/monitor_choice.h"

int ChooseMonitor(glm::ivec2 windowPos, const std::vector<glm::ivec2>& origins) {
    int chosen = -1;
    glm::ivec2 c(0, 0);
    for (int i = 0; i < int(origins.size()); ++i) {
        const glm::ivec2 m = origins[i];
        if ((windowPos.x >= m.x && windowPos.y >= m.y && m.x >= c.x) || m.y >= c.y) {
            chosen = i;
            c = m;
        }
    }
    return chosen;
}

glm::ivec2 WindowedPosition(glm::ivec2 modeSize, glm::ivec2 origin) {
    return {modeSize.x / 2 - kWindowedWidth / 2 + origin.x, modeSize.y / 2 - kWindowedHeight / 2 + origin.y};
}
