#pragma once

#include <cstdint>
#include <string>

class Card;
class Game;
class Picture;

// One thread slot of the board with its marks. Limited properties ignore out-of-range writes.
class Thread {
public:
    explicit Thread(Game& game);

    void CreateThread(int32_t owner, int32_t resIndex, int32_t itaColor, int32_t browserCrash);
    void ClearThread();
    std::string GetTitle() const;

    int32_t resNum() const { return resNum_; }
    void resNum(int32_t v) { resNum_ = v; }
    int32_t Size() const { return size_; }
    void Size(int32_t v) { size_ = v; }
    int32_t resIndex() const { return resIndex_; }
    int32_t owner() const { return owner_; }
    void owner(int32_t v);
    int32_t Color() const { return color_; }
    void Color(int32_t v);
    int32_t Agesage() const { return agesage_; }
    void Agesage(int32_t v) { agesage_ = v != 0 ? 1 : 0; }
    int32_t jienCount() const { return jienCount_; }
    void AddJienFlag() { ++jienCount_; }
    int32_t GotFlag() const { return gotFlag_; }
    void GotFlag(int32_t v);
    int32_t FestaFlag() const { return festaFlag_; }
    void FestaFlag(int32_t v);
    bool IkusaFlag() const { return ikusaFlag_; }
    void IkusaFlag(bool v) { ikusaFlag_ = v; }
    bool StopFlag() const { return stopFlag_; }
    void StopFlag(bool v) { stopFlag_ = v; }
    int32_t JudgeFlag() const { return judgeFlag_; }
    void JudgeFlag(int32_t v);
    int32_t browserCrash() const { return browserCrash_; }
    void browserCrash(int32_t v) { browserCrash_ = v; }

    bool IsThreadEnable() const;
    bool IsCardEnable(const Card& card) const;
    void Paint(Picture& pic, int x, int y, int w, int threadIndex, bool isCurrent) const;

private:
    Game& game_;
    int32_t resNum_ = -1;
    int32_t size_ = 0;
    int32_t resIndex_ = -1;
    int32_t owner_ = -1;
    int32_t color_ = -1;
    int32_t agesage_ = 0;
    int32_t jienCount_ = 0;
    int32_t gotFlag_ = 0;
    int32_t festaFlag_ = 0;
    bool ikusaFlag_ = false;
    bool stopFlag_ = false;
    int32_t judgeFlag_ = 0;
    int32_t browserCrash_ = 0;
};
