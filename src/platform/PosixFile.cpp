// Placeholder translation unit: the platform layer grows with the main window.
namespace quindle_platform_anchor {
int anchor() { return 0; }
}
