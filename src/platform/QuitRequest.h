#pragma once
// Whether a shut-down signal arrived, perhaps not yet seen by the event loop. Long work on the
// loop's thread, such as painting a scene of thousands of notes, checks it and stops early, so that
// the shut-down is not held up by a picture nobody will see. Safe to set from a signal handler and
// to read from any thread.

bool QuitPending();
void SetQuitPending(bool pending);
