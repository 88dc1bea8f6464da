// ThreadSanitizer settings for the programs that talk to a real audio server (unused elsewhere):
// PulseAudio's client library is not instrumented, so its main loop's synchronisation is invisible;
// QProcess forks a process that has threads, and the child only calls exec.

extern "C" {

const char* __tsan_default_suppressions() {
  return "called_from_lib:libpulse.so.0\n"
         "called_from_lib:libpulsecommon-16.1.so\n"
         "called_from_lib:libpulse-mainloop-glib.so.0\n";
}

const char* __tsan_default_options() { return "die_after_fork=0"; }

}  // extern "C"
