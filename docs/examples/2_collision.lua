-- Listen for a collision: a ball rolls into a wall. Physics looks for collisions
-- only near the camera, which starts at (0, 0).
local wall, ball

events.Connect("LevelLoad", "ExampleCollisionStart", function()
  wall = entity.Create()
  wall:SetPos(100, 60)
  wall:AddComponent("BoxCollider")
  wall:Call("collider_box_set_width", 10)
  wall:Call("collider_box_set_height", 40)
  wall:Call("collider_box_set_static", true)  -- the ball bounces off; the wall stays

  ball = entity.Create()
  ball:SetPos(40, 60)
  ball:AddComponent("CircleCollider")
  ball:Call("collider_circle_set_radius", 5)
  ball:AddComponent("RigidBody")
  ball:SetVelocity(60, 0)  -- world units per second
end)
events.Connect("LevelUnload", "ExampleCollisionStop", function() wall, ball = nil, nil end)

-- a and b are the two entities, in either order.
events.Connect("OnCollisionStarted", "ExampleCollision", function(a, b, contact, depth, normal)
  if (a == ball and b == wall) or (a == wall and b == ball) then
    print(string.format("collision: the ball hit the wall near x = %d", math.floor(contact.x + 0.5)))
  end
end)
