// The game moves in fixed steps of 1/60 s of game time, 60 a second whatever
// the display's refresh rate: a 144 Hz monitor shows each step in two or three
// frames, a 50 Hz one runs two steps in every fifth frame, and a machine too
// slow for 60 frames a second runs as many steps a frame as it takes to keep
// the game's speed. Steps fall due on the real clock half a period early, so
// that a 60 Hz display's frames, a little early or late, each get exactly one;
// and where the frames come sixty a second (a 60 Hz display, or the game's own
// pacing where vsync is ignored), the steps' phase is drawn towards the middle
// between frames, wherever the first frame happened to fall.
//
// Each frame is drawn at its own moment between the last two steps (along),
// so that motion is as smooth as the display allows: a frame that falls
// further past its latest step's moment is drawn further along that step's
// move. The moment drawn lags the frame's by as little as never runs past the
// latest step, which is how far past it frames have lately fallen at most:
// half a step or less where frames and steps drift past each other (any rate
// but sixty), and none at sixty frames a second, where each frame falls at
// one place between steps and so shows the latest step exactly as it stands.
#pragma once

class FixedSteps {
  public:
    static constexpr double period = 1.0 / 60;
    // After a stall (a suspended machine, a dragged window, a debugger) the
    // game does not race to catch up: the rest of the backlog is dropped.
    static constexpr int mostPerFrame = 5;

    // How many steps the frame that begins at `now` on the real clock
    // (seconds) runs. The first frame runs one.
    int due(double now);
    // While paused no step falls due, and the time paused is left out.
    void setPaused(bool paused) { paused_ = paused; }
    // No frame ran between the last one and `now` (the game waited, paused or
    // hidden): that time is left out, so the next frame runs no backlog.
    void leaveOut(double now);
    bool paused() const { return paused_; }
    // How far along its latest step's move (0 to 1) the last frame that ran
    // is drawn; 1 until then. Paused, it stays.
    float along() const { return along_; }

  private:
    void centreBetweenFrames(double now, double sinceLast);
    void findMoment(double now);
    bool sixtyFramesASecond() const; // lately, within half a percent

    bool started_ = false, paused_ = false;
    double frameInterval_ = 0.0; // smoothed
    double origin_ = 0.0;        // when step 0 fell due, on the real clock, less the time left out
    double last_ = 0.0;          // the last frame's `now`
    long long given_ = 0;        // steps handed out since origin_
    double latest_ = 0.0;        // how far past their latest step frames have lately fallen, in steps
    float along_ = 1.0f;
};
