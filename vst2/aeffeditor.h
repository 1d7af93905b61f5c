// Editor base class: the slots the dispatcher reaches, with neutral behaviour.
#pragma once

#include <atomic>

#include "vst2.h"

class AudioEffect;

class AEffEditor {
public:
    explicit AEffEditor(AudioEffect* effect) : effect(effect) {}
    virtual ~AEffEditor() = default;

    // Stores the address of the editor's rectangle at *rect; answers 0.
    virtual VstInt32 getRect(ERect** rect) {
        *rect = nullptr;
        return 0;
    }
    // ptr is the host's parent window; answers 1 when a window was opened.
    virtual VstInt32 open(void* parentWindow) {
        systemWindow = parentWindow;
        return 0;
    }
    virtual void close() {}
    virtual void idle() { update(); }
    virtual void update() {}
    // Called from setParameter, which hosts call from any thread.
    virtual void postUpdate() { updateFlag.store(1, std::memory_order_relaxed); }

    AEffEditor(const AEffEditor&) = delete;
    AEffEditor& operator=(const AEffEditor&) = delete;

protected:
    AudioEffect* effect;
    void* systemWindow = nullptr;
    std::atomic<VstInt32> updateFlag{0};
};
