// vk_content LIST ARCHIVE: builds the game's archive from the content list
// (content/content.list) and writes it; on failure prints why and ends with 1.
#include <cstdio>
#include <string>

#include "platform/shared/core/CApp.h"
#include "platform/shared/systems/CAppExecutor.h"
#include "tools/ContentBuilder.h"

// The platform library's hooks: this program runs no application.
CApp* CreateGameApp() { return nullptr; }
std::int32_t OnExecutorInit() { return 0; }
void OnExecutorShutdown() {}
void OnExecutorUpdate() {}
void OnExecutorDraw() {}

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s CONTENT_LIST ARCHIVE\n", argv[0]);
        return 2;
    }
    std::string error;
    if (!vktools::BuildContent(argv[1], argv[2], error)) {
        std::fprintf(stderr, "%s: %s\n", argv[0], error.c_str());
        return 1;
    }
    return 0;
}
