#pragma once
// The one place where native types are made known to QML.
void registerQmlTypes();

class BACKGROUND_LISTENING;
class KEYBOARD_HOOK;
class LaunchOptions;
class QQmlContext;
class TALVORIN;

// The context properties under which QML reaches the workers and the launch options.
void publishWorkers(QQmlContext* context, TALVORIN& worker, BACKGROUND_LISTENING& listener,
                    KEYBOARD_HOOK& hook, LaunchOptions* options);
