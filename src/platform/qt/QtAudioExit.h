#pragma once
// Ending a process that has used Qt Multimedia's PulseAudio connection.
//
// Qt Multimedia 6.4 disconnects from the PulseAudio server in a static destructor, after main
// returns, without holding the client library's main-loop lock. A message the server sends at that
// moment (our streams have just closed; another program changes a volume) is then dispatched on a
// half-freed connection, and libpulse aborts the process ("Assertion ... failed at
// pulsecore/pdispatch.c ... pa_pdispatch_run()"). A process whose streams, threads, windows and
// settings are closed ends here instead, before static destruction: the standard streams are
// flushed and, in a leak-checking build, leaks are reported first.

namespace balalaika::qt {

[[noreturn]] void exitBeforeAudioTeardown(int status);

}  // namespace balalaika::qt
