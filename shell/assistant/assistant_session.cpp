// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#include "assistant/assistant_session.h"

#include "main_window/main_window.h"

namespace azimora::shell {

AssistantSession& AssistantSession::Of(TfrmKorvel& main) {
    if (auto* session = main.findChild<AssistantSession*>(QString(), Qt::FindDirectChildrenOnly)) return *session;
    return *new AssistantSession(&main);
}

void AssistantSession::setSettings(const AssistantSettings& settings) {
    settings_ = settings;
    emit changed();
}

void AssistantSession::addObstacle(SkyPosition mark) {
    keepForUndo();
    obstacles_.Add(mark);
    emit changed();
}

void AssistantSession::removeObstacle(std::size_t index) {
    if (index >= obstacles_.Points().size()) return;
    keepForUndo();
    obstacles_.Remove(index);
    emit changed();
}

void AssistantSession::clearObstacles() {
    if (obstacles_.Points().empty()) return;
    keepForUndo();
    obstacles_.Clear();
    emit changed();
}

void AssistantSession::undo() {
    if (!previous_) return;
    obstacles_ = *previous_;
    previous_.reset();
    emit changed();
}

}  // namespace azimora::shell
