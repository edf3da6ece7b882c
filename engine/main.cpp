// Placeholder entry point until the Engine lands.
int main() { return 0; }
