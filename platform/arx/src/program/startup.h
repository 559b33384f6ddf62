// Starting and stopping the whole host application.
#pragma once

namespace arx {
void startApplication();
void stopApplication();
}  // namespace arx
