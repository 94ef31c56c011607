#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

struct FeedPost {
    int id = 0;
    int userId = 0;
    std::string account;
    std::string content;
    std::string attachment;
    std::string time;
};

// The community feed ("动态中心"): uploaded screenshots and published posts.
class FeedStore
{
public:
    static constexpr size_t maxImageBytes = 8 * 1024 * 1024;
    static constexpr size_t maxImages = 64;

    void reset();
    // Keeps a JPEG and returns its reference, a path on the portal host.
    std::string addImage(const std::string &jpeg);
    std::optional<std::string> image(const std::string &reference) const;
    bool hasImage(const std::string &reference) const;
    int publish(const FeedPost &post);
    std::vector<FeedPost> posts() const;   // newest first

private:
    mutable std::mutex m_mutex;
    std::map<std::string, std::string> m_images;
    std::vector<std::string> m_imageOrder;
    std::vector<FeedPost> m_posts;
    int m_nextImage = 1;
};
