// ThreadSanitizer settings for the programs that talk to a real audio server. They take effect only
// in a ThreadSanitizer build; elsewhere nothing calls them.
//
// - PulseAudio's client library is not instrumented: its threaded main loop synchronises in ways
//   the sanitizer cannot see, so every access made from inside it would be reported.
// - The tests start helper programs (paplay, parecord, pactl) with QProcess, which forks a process
//   that has threads; the child only calls exec, which is safe.

extern "C" {

const char* __tsan_default_suppressions() {
  return "called_from_lib:libpulse.so.0\n"
         "called_from_lib:libpulsecommon-16.1.so\n"
         "called_from_lib:libpulse-mainloop-glib.so.0\n";
}

const char* __tsan_default_options() { return "die_after_fork=0"; }

}  // extern "C"
