#include "app/EarlyStart.h"

#include <fontconfig/fontconfig.h>
#include <malloc.h>

EarlyStart::EarlyStart() {
    mallopt(M_ARENA_MAX, 1);
    worker_ = std::thread([] { FcInit(); });
}

EarlyStart::~EarlyStart() {
    Finish();
}

void EarlyStart::Finish() {
    if (worker_.joinable()) {
        worker_.join();
    }
}
