-- wrk's script for the board's benchmark: each request sends a won game of
-- its thread's share of the list (a file of paths, the first argument), each
-- game once; a thread that has sent all of its games stops.
--   wrk -t THREADS -c CONNECTIONS -d SECONDS -s send_games.lua URL -- LIST THREADS
local threads = 0

function setup(thread)
  thread:set("number", threads)
  threads = threads + 1
end

local games, next_game = {}, 1

function init(args)
  local share, count = number, tonumber(args[2])
  local n = 0
  for path in io.lines(args[1]) do
    if n % count == share then
      local file = io.open(path, "rb")
      games[#games + 1] = file:read("*a")
      file:close()
    end
    n = n + 1
  end
end

function request()
  if next_game > #games then
    wrk.thread:stop()
  end
  local body = games[math.min(next_game, #games)]
  next_game = next_game + 1
  return wrk.format("POST", "/api/games?name=Bench", { ["Content-Type"] = "text/plain" }, body)
end
