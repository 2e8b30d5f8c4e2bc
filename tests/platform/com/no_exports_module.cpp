// A module without the component exports, for the test of a module that lacks them.
int corvane_no_exports_module_marker() {
  return 0;
}
