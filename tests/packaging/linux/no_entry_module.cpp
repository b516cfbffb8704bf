// A shared module that loads but lacks the settings window's entry point.

extern "C" int cindral_not_the_settings_window() { return 0; }
