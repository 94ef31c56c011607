#include "FeedStore.h"

#include "Text.h"

void FeedStore::reset()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_images.clear();
    m_imageOrder.clear();
    m_posts.clear();
    m_nextImage = 1;
}

std::string FeedStore::addImage(const std::string &jpeg)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const std::string reference = "/upload/dynamic/" + std::to_string(m_nextImage++) + "_"
                                  + Text::randomHex(4) + ".jpg";
    m_images[reference] = jpeg;
    m_imageOrder.push_back(reference);
    // Bounded memory: the oldest screenshot goes first.
    if (m_imageOrder.size() > maxImages) {
        m_images.erase(m_imageOrder.front());
        m_imageOrder.erase(m_imageOrder.begin());
    }
    return reference;
}

std::optional<std::string> FeedStore::image(const std::string &reference) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_images.find(reference);
    return it == m_images.end() ? std::nullopt : std::optional<std::string>(it->second);
}

bool FeedStore::hasImage(const std::string &reference) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_images.count(reference) > 0;
}

int FeedStore::publish(const FeedPost &post)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    FeedPost stored = post;
    stored.id = static_cast<int>(m_posts.size()) + 1;
    stored.time = Text::nowText();
    m_posts.insert(m_posts.begin(), stored);
    return stored.id;
}

std::vector<FeedPost> FeedStore::posts() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_posts;
}
