// A folder without a layer: a breach.
inline int Helper() {
    return 1;
}
