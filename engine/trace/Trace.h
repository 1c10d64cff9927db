// Trace: the engine's diagnostic trace sink.
//
// Diagnostic dumps (result periods, events) are written through QrtTrace with a
// printf format. By default nothing is installed and the text is discarded
// without being formatted; a test (or a debugging tool) installs a receiver
// that gets every formatted piece of text.
//
// Thread rule: QrtTrace may be called from any thread; installing a receiver
// is meant for test set-up, and the receiver itself must be thread-safe when
// several threads trace at once.
// Tests: a dump reaches an installed receiver and nothing is formatted
// without one.
#pragma once

// Gets each formatted piece of text and the context given at installation.
using QrtTraceReceiver = void (*)(const char* text, void* context);

// Installs `receiver` (null: discard again) and returns the previous one.
QrtTraceReceiver QrtSetTraceReceiver(QrtTraceReceiver receiver, void* context);

// 1 when a receiver is installed; dumps skip their work otherwise.
int QrtTraceActive();

// Formats like printf and hands the text to the receiver, if any.
void QrtTrace(const char* format, ...) __attribute__((format(printf, 1, 2)));
