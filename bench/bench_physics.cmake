# The Box2D 2.4 comparison scene.
target_link_libraries(bench_physics PRIVATE box2d)
